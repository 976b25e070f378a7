#pragma once

#include <memory>

#include "framework/Types.h"

namespace fw {

class Picture;
class TextInputStream;
class TextOutputStream;

// Text encodings a stream can read in; UTF-8 is the default.
enum class TextEncoding { UTF8, MacRoman };

// A file or folder by path. A folder's AbsolutePath ends with the separator, so a
// name appended to it names a file inside it.
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
    // Kept for the platforms that have them; nothing else reads them.
    String MacType;
    String MacCreator;

    // nullptr when the file cannot be read (missing, a folder, no permission).
    std::shared_ptr<TextInputStream> OpenAsTextFile() const;
    // Writes beside the file; the file itself is replaced only when the stream is
    // closed without error. nullptr when the file cannot be created there.
    std::shared_ptr<TextOutputStream> CreateTextFile() const;
    // nullptr when the file is no picture the toolkit can read.
    std::shared_ptr<Picture> OpenAsPicture() const;

  private:
    String path_;
};

class TextInputStream {
  public:
    explicit TextInputStream(String bytes);
    // Encoding of the bytes; text comes out as UTF-8.
    TextEncoding Encoding = TextEncoding::UTF8;
    // The next line without its end (CR, LF or CRLF); "" at the end.
    String ReadLine();
    // Everything not read yet.
    String ReadAll();
    bool EndOfFile() const;
    void Close() {}

  private:
    String Decode(const String& bytes) const;
    String bytes_;
    std::size_t pos_ = 0;
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

  private:
    std::unique_ptr<Sink> sink_;
    bool failed_ = false;
    bool closed_ = false;
};

// A bare name in the program's folder, or an absolute path as it is.
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
