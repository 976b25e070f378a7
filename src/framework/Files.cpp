#include "framework/Files.h"

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

#include "framework/Drawing.h"
#include "framework/QtConvert.h"
#include "framework/Testing.h"

namespace fw {

// --- FolderItem -------------------------------------------------------------

FolderItem::FolderItem(String path) : path_(std::move(path)) {}

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

std::shared_ptr<TextInputStream> FolderItem::OpenAsTextFile() const {
    // Regular files only: a FIFO would block the open and a device may never end.
    if (path_.empty() || !QFileInfo(Q(path_)).isFile()) return nullptr;
    QFile f(Q(path_));
    if (!f.open(QIODevice::ReadOnly)) return nullptr;
    try {
        QByteArray data = f.readAll();
        if (f.error() != QFileDevice::NoError) return nullptr;
        return New<TextInputStream>(
            String(data.constData(), static_cast<std::size_t>(data.size())));
    } catch (const std::bad_alloc&) {
        // A file too large for memory is one that cannot be read.
        return nullptr;
    }
}

// The text is gathered here and handed to the file in large unbuffered writes:
// a buffered device may flush a short write at commit time without reporting
// it, and the file would be replaced by its first part.
class TextOutputStream::Sink {
  public:
    explicit Sink(const QString& path) : file(path) {}
    bool Flush() {
        if (pending.empty()) return true;
        auto size = static_cast<qint64>(pending.size());
        qint64 n = file.write(pending.data(), size);
        pending.clear();
        return n == size;
    }
    QSaveFile file;
    // A std::string grows geometrically; appending to a QByteArray here copied
    // the whole buffer on every line.
    String pending;
};

std::shared_ptr<TextOutputStream> FolderItem::CreateTextFile() const {
    if (path_.empty() || Directory()) return nullptr;
    auto sink = std::make_unique<TextOutputStream::Sink>(Q(path_));
    // A read-only file would otherwise be quietly replaced by the rename.
    if (Locked()) return nullptr;
    if (!sink->file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return nullptr;
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

TextInputStream::TextInputStream(String bytes) : bytes_(std::move(bytes)) {}

String TextInputStream::Decode(const String& bytes) const {
    return Encoding == TextEncoding::MacRoman ? FromMacRoman(bytes) : bytes;
}

String TextInputStream::ReadLine() {
    if (pos_ >= bytes_.size()) return String();
    std::size_t end = bytes_.find_first_of("\r\n", pos_);
    String line;
    if (end == String::npos) {
        line = bytes_.substr(pos_);
        pos_ = bytes_.size();
    } else {
        line = bytes_.substr(pos_, end - pos_);
        pos_ = end + 1;
        if (bytes_[end] == '\r' && pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
    }
    return Decode(line);
}

String TextInputStream::ReadAll() {
    String rest = pos_ < bytes_.size() ? bytes_.substr(pos_) : String();
    pos_ = bytes_.size();
    return Decode(rest);
}

bool TextInputStream::EndOfFile() const {
    return pos_ >= bytes_.size();
}

// --- TextOutputStream -------------------------------------------------------

TextOutputStream::TextOutputStream(std::unique_ptr<Sink> sink) : sink_(std::move(sink)) {}

TextOutputStream::~TextOutputStream() {
    if (!closed_ && sink_) sink_->file.cancelWriting();
}

void TextOutputStream::Write(const String& text) {
    if (closed_ || failed_ || !sink_) return;
    sink_->pending += text;
    if (sink_->pending.size() >= (1 << 16) && !sink_->Flush()) failed_ = true;
}

void TextOutputStream::WriteLine(const String& text) {
    Write(text);
    Write(Delimiter);
}

bool TextOutputStream::Close() {
    if (closed_) return !failed_;
    closed_ = true;
    if (!sink_) return false;
    if (!failed_ && !sink_->Flush()) failed_ = true;
    if (failed_ || testing::Detail::FailNextWrite()) {
        failed_ = true;
        sink_->file.cancelWriting();
        sink_->file.commit();
        return false;
    }
    if (!sink_->file.commit()) failed_ = true;
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
    QString n = Q(name);
    if (QDir::isAbsolutePath(n)) return New<FolderItem>(name);
    return New<FolderItem>(detail::ProgramFolder() + name);
}

std::shared_ptr<FolderItem> PreferencesFolder() {
    String folder = testing::Detail::PreferencesFolder();
    if (folder.empty()) {
        folder = S(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    }
    if (folder.empty()) return nullptr;
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
