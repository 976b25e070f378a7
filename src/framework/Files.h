#pragma once

#include <memory>

#include "framework/Types.h"

namespace fw {

class Picture;
class TextInputStream;
class TextOutputStream;

// Text encodings a stream can read in; UTF-8 is the default.
enum class TextEncoding { UTF8, MacRoman };

// Why a file could not be created or written, as far as the system tells.
enum class FileError {
    None,
    NoSpace,         // the disk is full (or the user's quota is)
    NoInodes,        // the disk has room, but for no further file
    NoPermission,    // the folder may not be written
    Locked,          // the file itself may not be written
    ReadOnlyDisk,    // the file system is mounted read-only
    FolderInTheWay,  // a folder stands where the file should be
    NotAFile,        // a device, a FIFO or a socket stands there
    NoFolder,        // the folder it goes in is gone, or is no folder
    Other,
};

// A file or folder by path: always a path of the file system, never one of the
// toolkit's built-in resources, whatever the path starts with. A folder's
// AbsolutePath ends with the separator, so a name appended to it names a file
// inside it.
class FolderItem {
  public:
    explicit FolderItem(String path);

    bool Exists() const;
    bool Directory() const;
    // The name without its folder.
    String Name() const;
    String AbsolutePath() const;
    // An existing file that may not be written.
    bool Locked() const;
    // Size in bytes; 0 for anything but an existing file.
    long long Length() const;
    // Kept for the platforms that have them; nothing else reads them.
    String MacType;
    String MacCreator;

    // nullptr when the file cannot be read (missing, a folder, no permission).
    std::shared_ptr<TextInputStream> OpenAsTextFile() const;
    // Writes beside the file; the file itself is replaced only when the stream is
    // closed without error. nullptr when the file cannot be created there, and
    // then LastError tells why. Only a file is replaced: a folder, a device or a
    // FIFO of that name stays, and nothing is created.
    std::shared_ptr<TextOutputStream> CreateTextFile() const;
    // Why the last CreateTextFile gave no stream; None after one that did.
    FileError LastError() const { return lastError_; }
    // nullptr when the file is no picture the toolkit can read.
    std::shared_ptr<Picture> OpenAsPicture() const;

  private:
    String path_;
    mutable FileError lastError_ = FileError::None;
};

// Lines of text from a file, read from the disk as they are asked for, or from
// bytes already in memory.
class TextInputStream {
  public:
    class Source;
    explicit TextInputStream(String bytes);
    explicit TextInputStream(std::unique_ptr<Source> source);
    ~TextInputStream();
    TextInputStream(const TextInputStream&) = delete;
    TextInputStream& operator=(const TextInputStream&) = delete;

    // Encoding of the bytes; text comes out as UTF-8.
    TextEncoding Encoding = TextEncoding::UTF8;
    // The next line without its end (CR, LF or CRLF); "" at the end.
    String ReadLine();
    // The same, keeping only the first atMost bytes of the line, cut between
    // characters; the rest of the line is passed over without being kept.
    String ReadLine(std::size_t atMost);
    // The next count bytes, or fewer at the end.
    String Read(std::size_t count);
    // Everything not read yet.
    String ReadAll();
    bool EndOfFile();
    // Whether the file failed to read part way; the stream ends there.
    bool ReadError() const { return failed_; }
    void Close();

  private:
    String Decode(const String& bytes) const;
    // Reads more of the file into the buffer; false when nothing more came.
    bool Fill();
    // Scans for the end of the line from pos_; the index of its CR or LF, or
    // npos at the end of the stream. Keeps at most atMost bytes of the line in
    // the buffer before it.
    std::size_t FindLineEnd(std::size_t atMost, bool& cut);
    String bytes_;
    std::size_t pos_ = 0;
    std::unique_ptr<Source> source_;
    bool failed_ = false;
};

class TextOutputStream {
  public:
    class Sink;
    explicit TextOutputStream(std::unique_ptr<Sink> sink);
    ~TextOutputStream();
    TextOutputStream(const TextOutputStream&) = delete;
    TextOutputStream& operator=(const TextOutputStream&) = delete;

    // Ends each WriteLine; CR by default, the program's own line end.
    String Delimiter = "\r";
    void Write(const String& text);
    void WriteLine(const String& text);
    // Replaces the file with what was written. false when anything failed, and
    // then the old file is left as it was. A stream dropped without Close
    // leaves the old file too.
    bool Close();
    // Why writing failed; None while it has not.
    FileError LastError() const { return error_; }

  private:
    void Fail(int code);
    std::unique_ptr<Sink> sink_;
    bool failed_ = false;
    bool closed_ = false;
    FileError error_ = FileError::None;
};

// A path from the root ("/...") as it is; any other name in the program's folder.
std::shared_ptr<FolderItem> GetFolderItem(const String& name, Integer mode = 0);

namespace detail {
// The program's folder, ending in "/"; for the layer's own use.
String ProgramFolder();
}  // namespace detail

// The user's preferences folder.
std::shared_ptr<FolderItem> PreferencesFolder();

// MacRoman conversions: characters MacRoman lacks become "?".
String ToMacRoman(const String& utf8);
String FromMacRoman(const String& bytes);

}  // namespace fw
