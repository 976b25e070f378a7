#include "framework/Files.h"

#include <sys/statvfs.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <cerrno>
#include <new>

#include "framework/Drawing.h"
#include "framework/QtConvert.h"
#include "framework/Testing.h"

namespace fw {

// --- FolderItem -------------------------------------------------------------

namespace {

// The toolkit reads a path that starts with ":" as one of its built-in
// resources. A path given to the layer always names the file system, so such a
// one is the file of that name relative to the working folder, as any other
// relative path is.
String FileSystemPath(String path) {
    if (!path.empty() && path.front() == ':') path.insert(0, "./");
    return path;
}

}  // namespace

FolderItem::FolderItem(String path) : path_(FileSystemPath(std::move(path))) {}

bool FolderItem::Exists() const {
    return !path_.empty() && QFileInfo::exists(Q(path_));
}

bool FolderItem::Directory() const {
    return QFileInfo(Q(path_)).isDir();
}

String FolderItem::Name() const {
    QString p = Q(path_);
    while (p.size() > 1 && p.endsWith('/')) p.chop(1);
    return S(QFileInfo(p).fileName());
}

String FolderItem::AbsolutePath() const {
    QFileInfo info(Q(path_));
    QString p = info.absoluteFilePath();
    if (info.isDir() && !p.endsWith('/')) p += '/';
    return S(p);
}

bool FolderItem::Locked() const {
    QFileInfo info(Q(path_));
    return info.exists() && !info.isWritable();
}

long long FolderItem::Length() const {
    QFileInfo info(Q(path_));
    return !path_.empty() && info.isFile() ? info.size() : 0;
}

namespace {

// The cause of a failed create or write from the system's error code. The
// kernel says "no space" both for a full disk and for one that has no free
// inode left; the folder's file system tells which.
FileError ErrorFromCode(int code, const QString& folder) {
    switch (code) {
        case ENOSPC: {
            struct statvfs v {};
            if (statvfs(QFile::encodeName(folder).constData(), &v) == 0 && v.f_files > 0 &&
                v.f_favail == 0 && v.f_bavail > 0) {
                return FileError::NoInodes;
            }
            return FileError::NoSpace;
        }
        case EDQUOT:
            return FileError::NoSpace;
        case EACCES:
        case EPERM:
            return FileError::NoPermission;
        case EROFS:
            return FileError::ReadOnlyDisk;
        case EISDIR:
            return FileError::FolderInTheWay;
        case ENOENT:
        case ENOTDIR:
            return FileError::NoFolder;
        default:
            return FileError::Other;
    }
}

QString FolderOf(const QString& path) {
    return QFileInfo(path).absolutePath();
}

}  // namespace

// --- TextInputStream's file -------------------------------------------------

class TextInputStream::Source {
  public:
    explicit Source(const QString& path) : file(path) {}
    QFile file;
    bool done = false;
};

std::shared_ptr<TextInputStream> FolderItem::OpenAsTextFile() const {
    // Regular files only: a FIFO would block the open and a device may never end.
    if (path_.empty() || !QFileInfo(Q(path_)).isFile()) return nullptr;
    auto source = std::make_unique<TextInputStream::Source>(Q(path_));
    if (!source->file.open(QIODevice::ReadOnly)) return nullptr;
    return New<TextInputStream>(std::move(source));
}

// The text is gathered here and handed to the file in large unbuffered writes:
// a buffered device may flush a short write at commit time without reporting
// it, and the file would be replaced by its first part.
class TextOutputStream::Sink {
  public:
    explicit Sink(const QString& path) : file(path), folder(FolderOf(path)) {}
    // 0, or the system's error code of the write that failed.
    int Flush() {
        if (pending.empty()) return 0;
        auto size = static_cast<qint64>(pending.size());
        errno = 0;
        qint64 n = file.write(pending.data(), size);
        int code = errno;
        pending.clear();
        if (n == size) return 0;
        return code != 0 ? code : EIO;
    }
    QSaveFile file;
    QString folder;
    // A std::string grows geometrically; appending to a QByteArray here copied
    // the whole buffer on every line.
    String pending;
};

std::shared_ptr<TextOutputStream> FolderItem::CreateTextFile() const {
    lastError_ = FileError::None;
    const QString path = Q(path_);
    QFileInfo info(path);
    if (path_.empty()) {
        lastError_ = FileError::NoFolder;
        return nullptr;
    }
    // What stands under that name is replaced only when it is a file: a folder
    // would be refused by the rename, and a device or FIFO (or a link to one) is
    // no layout of ours to throw away.
    if (info.isDir()) {
        lastError_ = FileError::FolderInTheWay;
        return nullptr;
    }
    if (info.exists() && !info.isFile()) {
        lastError_ = FileError::NotAFile;
        return nullptr;
    }
    // A read-only file would otherwise be quietly replaced by the rename.
    if (Locked()) {
        lastError_ = FileError::Locked;
        return nullptr;
    }
    if (int code = testing::Detail::FailNextCreate()) {
        lastError_ = ErrorFromCode(code, FolderOf(path));
        return nullptr;
    }
    auto sink = std::make_unique<TextOutputStream::Sink>(path);
    errno = 0;
    if (!sink->file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        int code = errno;
        lastError_ = code != 0 ? ErrorFromCode(code, sink->folder) : FileError::Other;
        return nullptr;
    }
    return New<TextOutputStream>(std::move(sink));
}

std::shared_ptr<Picture> FolderItem::OpenAsPicture() const {
    // Regular files only: a FIFO or a device named where a picture is expected
    // would block the reading or never end.
    if (path_.empty() || !QFileInfo(Q(path_)).isFile()) return nullptr;
    QImageReader reader(Q(path_));
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    if (image.isNull()) return nullptr;
    image.setDevicePixelRatio(1.0);
    return Picture::FromImage(image);
}

// --- TextInputStream --------------------------------------------------------

namespace {

// A file is read in pieces, so that only what is asked for is read and held: a
// piece is what is left of the file, at least kPezzoMinimo (a file may grow while
// it is read) and at most kPezzoMassimo. A small file costs what its size costs.
constexpr std::size_t kPezzoMinimo = 4 << 10;
constexpr std::size_t kPezzoMassimo = 1 << 20;

// Without the last character of s when it is cut short (a UTF-8 lead byte
// missing some of the bytes that follow it).
void SenzaCarattereTroncato(String& s) {
    std::size_t n = s.size();
    for (std::size_t indietro = 1; indietro <= std::min<std::size_t>(3, n); ++indietro) {
        auto c = static_cast<unsigned char>(s[n - indietro]);
        if ((c & 0xC0) == 0x80) continue;  // a continuation byte: look further back
        std::size_t lunghezza = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        if (lunghezza > indietro) s.resize(n - indietro);
        return;
    }
}

}  // namespace

TextInputStream::TextInputStream(String bytes) : bytes_(std::move(bytes)) {}

TextInputStream::TextInputStream(std::unique_ptr<Source> source) : source_(std::move(source)) {}

TextInputStream::~TextInputStream() = default;

void TextInputStream::Close() {
    source_.reset();
}

String TextInputStream::Decode(const String& bytes) const {
    return Encoding == TextEncoding::MacRoman ? FromMacRoman(bytes) : bytes;
}

bool TextInputStream::Fill() {
    if (!source_ || source_->done) return false;
    // What was read already goes first, so the buffer holds only what is to come.
    if (pos_ > 0) {
        bytes_.erase(0, pos_);
        pos_ = 0;
    }
    std::size_t vecchio = bytes_.size();
    const qint64 resto = source_->file.size() - source_->file.pos();
    const std::size_t pezzo = std::clamp<std::size_t>(
        resto > 0 ? static_cast<std::size_t>(resto) : 0, kPezzoMinimo, kPezzoMassimo);
    try {
        bytes_.resize(vecchio + pezzo);
    } catch (const std::bad_alloc&) {
        // What memory cannot hold cannot be read: the stream ends there.
        source_->done = failed_ = true;
        return false;
    }
    qint64 n = source_->file.read(bytes_.data() + vecchio, static_cast<qint64>(pezzo));
    bytes_.resize(vecchio + static_cast<std::size_t>(std::max<qint64>(n, 0)));
    if (n <= 0) {
        source_->done = true;
        if (n < 0) failed_ = true;
        return false;
    }
    return true;
}

std::size_t TextInputStream::FindLineEnd(std::size_t atMost, bool& cut) {
    // Kept as an offset from pos_: Fill moves the unread bytes to the front.
    std::size_t cercato = 0;
    for (;;) {
        std::size_t fine = bytes_.find_first_of("\r\n", pos_ + cercato);
        if (fine != String::npos) return fine;
        if (bytes_.size() - pos_ > atMost) {
            bytes_.resize(pos_ + atMost);
            cut = true;
        }
        cercato = bytes_.size() - pos_;
        if (!Fill()) return String::npos;
    }
}

String TextInputStream::ReadLine() {
    return ReadLine(String::npos);
}

String TextInputStream::ReadLine(std::size_t atMost) {
    if (EndOfFile()) return String();
    bool cut = false;
    std::size_t fine = FindLineEnd(atMost, cut);
    String line;
    if (fine == String::npos) {
        line = bytes_.substr(pos_, atMost);
        pos_ = bytes_.size();
    } else {
        cut = cut || fine - pos_ > atMost;
        line = bytes_.substr(pos_, std::min(fine - pos_, atMost));
        bool cr = bytes_[fine] == '\r';
        pos_ = fine + 1;
        // A CR at the end of what was read may have its LF in the next piece.
        if (cr && pos_ >= bytes_.size()) Fill();
        if (cr && pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
    }
    if (cut && Encoding == TextEncoding::UTF8) SenzaCarattereTroncato(line);
    return Decode(line);
}

String TextInputStream::Read(std::size_t count) {
    while (bytes_.size() - pos_ < count && Fill()) {
    }
    String part = bytes_.substr(pos_, count);
    pos_ += part.size();
    return Decode(part);
}

String TextInputStream::ReadAll() {
    while (Fill()) {
    }
    String rest = pos_ < bytes_.size() ? bytes_.substr(pos_) : String();
    pos_ = bytes_.size();
    return Decode(rest);
}

bool TextInputStream::EndOfFile() {
    return pos_ >= bytes_.size() && !Fill();
}

// --- TextOutputStream -------------------------------------------------------

TextOutputStream::TextOutputStream(std::unique_ptr<Sink> sink) : sink_(std::move(sink)) {}

TextOutputStream::~TextOutputStream() {
    if (!closed_ && sink_) sink_->file.cancelWriting();
}

void TextOutputStream::Fail(int code) {
    if (!failed_) error_ = sink_ ? ErrorFromCode(code, sink_->folder) : FileError::Other;
    failed_ = true;
}

void TextOutputStream::Write(const String& text) {
    if (closed_ || failed_ || !sink_) return;
    sink_->pending += text;
    if (sink_->pending.size() >= (1 << 16)) {
        if (int code = sink_->Flush()) Fail(code);
    }
}

void TextOutputStream::WriteLine(const String& text) {
    Write(text);
    Write(Delimiter);
}

bool TextOutputStream::Close() {
    if (closed_) return !failed_;
    closed_ = true;
    if (!sink_) {
        error_ = FileError::Other;
        return false;
    }
    if (!failed_) {
        if (int code = sink_->Flush()) Fail(code);
    }
    if (!failed_) {
        if (int code = testing::Detail::FailNextWrite()) Fail(code);
    }
    if (failed_) {
        sink_->file.cancelWriting();
        sink_->file.commit();
        return false;
    }
    errno = 0;
    if (!sink_->file.commit()) {
        int code = errno;
        Fail(code != 0 ? code : EIO);
    }
    return !failed_;
}

// --- Folders ----------------------------------------------------------------

namespace detail {
String ProgramFolder() {
    String folder = testing::Detail::ProgramFolder();
    if (folder.empty()) folder = S(QCoreApplication::applicationDirPath());
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}
}  // namespace detail

std::shared_ptr<FolderItem> GetFolderItem(const String& name, Integer) {
    // Only a path from the root is taken as it is; every other name, one that
    // starts with ":" too, is in the program's folder.
    if (!name.empty() && name.front() == '/') return New<FolderItem>(name);
    return New<FolderItem>(detail::ProgramFolder() + name);
}

std::shared_ptr<FolderItem> PreferencesFolder() {
    String folder = testing::Detail::PreferencesFolder();
    if (folder.empty()) {
        folder = S(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    }
    if (folder.empty()) return nullptr;
    folder = FileSystemPath(std::move(folder));
    QDir().mkpath(Q(folder));
    if (folder.back() != '/') folder += '/';
    return New<FolderItem>(folder);
}

// --- MacRoman ---------------------------------------------------------------

// Without the converter (a toolkit built without ICU) ASCII still passes and
// everything else is marked, rather than lost or passed through undecoded.
namespace {
// MacRoman's lower half is ASCII, so most lines need no converter at all.
bool Ascii(const String& s) {
    for (char c : s) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}
}  // namespace

String ToMacRoman(const String& utf8) {
    if (Ascii(utf8)) return utf8;
    QString text = Q(utf8);
    QStringEncoder enc("macintosh");
    if (enc.isValid()) {
        // The converter puts "?" for a character MacRoman lacks and goes on.
        QByteArray b = enc.encode(text);
        return String(b.constData(), static_cast<std::size_t>(b.size()));
    }
    String out;
    for (QChar c : text) {
        if (c.isLowSurrogate()) continue;
        out += c.unicode() < 0x80 ? static_cast<char>(c.unicode()) : '?';
    }
    return out;
}

String FromMacRoman(const String& bytes) {
    if (Ascii(bytes)) return bytes;
    QStringDecoder dec("macintosh");
    if (dec.isValid()) {
        return S(dec.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size()))));
    }
    String out;
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) < 0x80) {
            out += c;
        } else {
            out += "\xEF\xBF\xBD";
        }
    }
    return out;
}

}  // namespace fw
