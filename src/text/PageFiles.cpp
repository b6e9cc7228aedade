#include "PageFiles.h"

#include <QtEndian>

#include "CodePages.h"
#include "PageParts.h"
#include "IUserPrompts.h"

#include <QBuffer>
#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QtEndian>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool startsWith(const QByteArray& bytes, std::initializer_list<unsigned char> mark)
{
    if (bytes.size() < qsizetype(mark.size()))
        return false;
    qsizetype i = 0;
    for (const unsigned char byte : mark)
        if (static_cast<unsigned char>(bytes[i++]) != byte)
            return false;
    return true;
}

// UTF-8 to text keeping a U+FEFF at the start: the page's own mark has
// already been taken off, and QString::fromUtf8 would drop one more.
QString fromUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

QString fromUtf16(const QByteArray& bytes, qsizetype offset, bool bigEndian)
{
    const qsizetype units = (bytes.size() - offset) / 2;
    QString text(units, Qt::Uninitialized);
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData()) + offset;
    for (qsizetype i = 0; i < units; ++i) {
        const unsigned char first = data[2 * i];
        const unsigned char second = data[2 * i + 1];
        text[i] = QChar(bigEndian ? char16_t(first << 8 | second) : char16_t(second << 8 | first));
    }
    return text;
}

// Valid UTF-8 with at least one character beyond ASCII: text that no
// single-byte page would make by chance.
bool looksUtf8(const QByteArray& bytes)
{
    const bool beyondAscii = std::any_of(bytes.cbegin(), bytes.cend(), [](char c) { return (c & 0x80) != 0; });
    if (!beyondAscii)
        return false;
    QString text;
    return DecodeValidUtf8(bytes, text);
}

// An existing file whose permissions grant no write at all is read-only,
// even to root (like the read-only attribute on Windows).
bool isReadOnly(const QString& file)
{
    struct stat status {};
    const QByteArray path = QFile::encodeName(file);
    if (::stat(path.constData(), &status) != 0)
        return false;
    return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.constData(), W_OK) != 0;
}

bool writeFileAtomically(const QString& file, const QByteArray& bytes, QString* error)
{
    const auto fail = [&](const QString& reason) {
        if (error != nullptr)
            *error = QStringLiteral("Cannot write file \"%1\". %2").arg(file, reason);
        return false;
    };
    const QFileInfo info(file);
    if (info.isDir())
        return fail(QStringLiteral("It is a folder."));
    if (info.exists() && isReadOnly(file))
        return fail(QStringLiteral("The file is read-only."));
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return fail(out.errorString());
    if (out.write(bytes) != bytes.size()) {
        const QString reason = out.errorString();
        out.cancelWriting();
        return fail(reason);
    }
    if (!out.commit())
        return fail(out.errorString());
    return true;
}

void writeBytes(QIODevice* stream, const QByteArray& bytes)
{
    if (stream == nullptr)
        return;
    stream->seek(0);
    const qint64 written = stream->write(bytes);
    if (written < 0)
        return;
    if (auto* buffer = qobject_cast<QBuffer*>(stream)) {
        if (buffer->buffer().size() > written)
            buffer->buffer().truncate(written);
    } else if (auto* file = qobject_cast<QFileDevice*>(stream)) {
        if (file->size() > written)
            file->resize(written);
    }
}

// Reads a regular file whole; false with a message when that fails.
bool readFile(const QString& file, QByteArray& bytes, QString& error)
{
    struct stat status {};
    if (::stat(QFile::encodeName(file).constData(), &status) == 0 && !S_ISREG(status.st_mode)) {
        error = QStringLiteral("Cannot open file \"%1\". It is not a file.").arg(file);
        return false;
    }
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Cannot open file \"%1\". %2").arg(file, in.errorString());
        return false;
    }
    bytes = in.readAll();
    if (in.error() != QFileDevice::NoError) {
        error = QStringLiteral("Cannot read file \"%1\". %2").arg(file, in.errorString());
        return false;
    }
    return true;
}

bool exists(const QString& file)
{
    return QFileInfo(file).exists();
}

// The bytes of a file to decode: empty for a missing file, and for one
// that cannot be read (`error` set).
QByteArray readExisting(const QString& file, QString* error)
{
    if (!exists(file))
        return QByteArray();
    // A lock another program holds does not keep a reader out here, so the
    // file is read in place rather than through a copy.
    QByteArray bytes;
    QString readError;
    if (!readFile(file, bytes, readError)) {
        if (error != nullptr)
            *error = readError;
        return QByteArray();
    }
    return bytes;
}

} // namespace

bool IsFileLocked(const QString& file)
{
    if (!exists(file))
        return false;
    const int fd = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return true;
    bool locked = false;
    // Only a lock for writing keeps a reader out, as a file open without
    // sharing does on Windows.
    struct flock lock {};
    lock.l_type = F_RDLCK;
    lock.l_whence = SEEK_SET;
#ifdef F_OFD_GETLK
    // Open-file-description locks also see the locks of this very process.
    const int query = F_OFD_GETLK;
#else
    const int query = F_GETLK;
#endif
    if (::fcntl(fd, query, &lock) == 0 && lock.l_type != F_UNLCK)
        locked = true;
    if (!locked) {
        if (::flock(fd, LOCK_SH | LOCK_NB) != 0)
            locked = errno == EWOULDBLOCK;
        else
            ::flock(fd, LOCK_UN);
    }
    ::close(fd);
    return locked;
}

QString DecodeTextBytes(const QByteArray& bytes, const QString& codePage)
{
    if (startsWith(bytes, {0xEF, 0xBB, 0xBF}))
        return fromUtf8(QByteArrayView(bytes).sliced(3));
    if (startsWith(bytes, {0xFF, 0xFE}))
        return fromUtf16(bytes, 2, false);
    if (startsWith(bytes, {0xFE, 0xFF}))
        return fromUtf16(bytes, 2, true);

    int page = -1;
    bool ok = false;
    const int given = codePage.trimmed().toInt(&ok);
    if (ok)
        page = given;
    if (page < 0) {
        // Charset declarations are ASCII: finding one needs no real decoding.
        const QString charset = GetCharset(QString::fromLatin1(bytes));
        const int declared = charset.isEmpty() ? 0 : CodePageForCharset(charset);
        if (declared != 0)
            page = declared;
        else if (looksUtf8(bytes))
            return fromUtf8(bytes);
    }
    return AnsiToText(bytes, page < 0 ? 0 : page);
}

QString DecodeTextFile(const QString& file, const QString& codePage)
{
    return DecodeTextBytes(readExisting(file, nullptr), codePage);
}

QString ReadTextFile(const QString& file, const QString& codePage, QString* error)
{
    return DecodeTextBytes(readExisting(file, error), codePage);
}

TPageEncoding PageEncodingOf(const QByteArray& bytes)
{
    if (startsWith(bytes, {0xEF, 0xBB, 0xBF}))
        return {EncodingUtf8, true};
    if (startsWith(bytes, {0xFF, 0xFE}) || startsWith(bytes, {0xFE, 0xFF}))
        return {EncodingUtf16, true};
    const int declared = GetEncodingType(QString::fromLatin1(bytes));
    if (declared == EncodingUtf16)
        return {EncodingUtf16, true};
    if (declared != EncodingAnsi)
        return {declared, false};
    return {looksUtf8(bytes) ? EncodingUtf8 : EncodingAnsi, false};
}

QString ReadPageFile(const QString& file, TPageEncoding& encoding, QString* error)
{
    const QByteArray bytes = readExisting(file, error);
    encoding = PageEncodingOf(bytes);
    return DecodeTextBytes(bytes);
}

int GetEncodingType(const QString& html)
{
    const QString charset = GetCharset(html);
    if (charset == u"utf-8")
        return EncodingUtf8;
    if (charset == u"unicode")
        return EncodingUtf16;
    if (charset.isEmpty())
        return EncodingAnsi;
    return CodePageForCharset(charset);
}

QByteArray EncodeText(const QString& text, int type)
{
    if (type == EncodingUtf8)
        return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
    if (type == EncodingUtf16) {
        QByteArray bytes(2 + 2 * text.size(), Qt::Uninitialized);
        char* data = bytes.data();
        data[0] = char(0xFF);
        data[1] = char(0xFE);
        qToLittleEndian<char16_t>(text.utf16(), text.size(), data + 2);
        return bytes;
    }
    return TextToAnsi(text, type <= 0 ? 0 : type);
}

QByteArray EncodeHtml(const QString& html)
{
    return EncodePage(html, {GetEncodingType(html), true});
}

QByteArray EncodePage(const QString& html, const TPageEncoding& encoding, bool* widened)
{
    const int type = encoding.Type;
    QByteArray bytes = EncodeText(html, type);
    if (widened != nullptr)
        *widened = false;
    if (type == EncodingUtf8) {
        if (!encoding.Mark)
            bytes.remove(0, 3);
        return bytes;
    }
    if (type != EncodingUtf16 && AnsiToText(bytes, type <= 0 ? 0 : type) != html) {
        // Readers believe a declaration over the bytes, so it must name what they are.
        const bool declared = !GetCharset(html).isEmpty();
        bytes = EncodeText(declared ? SetCharset(html, QStringLiteral("utf-8")) : html, EncodingUtf8);
        if (widened != nullptr)
            *widened = true;
    }
    return bytes;
}

void WriteTextToStream(const QString& text, int type, QIODevice* stream)
{
    writeBytes(stream, EncodeText(text, type));
}

void SaveHtmlToStream(const QString& html, QIODevice* stream)
{
    writeBytes(stream, EncodeHtml(html));
}

bool SaveTextFile(const QString& text, const QString& file, int type, QString* error)
{
    if (text.isEmpty())
        return true;
    return writeFileAtomically(file, EncodeText(text, type), error);
}

bool SaveHtmlFile(const QString& html, const QString& file, IUserPrompts* prompts, QString* savedAs)
{
    return SavePageBytes(html.isEmpty() ? QByteArray() : EncodeHtml(html), file, prompts, savedAs);
}

bool SavePageBytes(const QByteArray& bytes, const QString& file, IUserPrompts* prompts, QString* savedAs)
{
    QString name = file;
    for (;;) {
        QString error;
        if (bytes.isEmpty() || writeFileAtomically(name, bytes, &error)) {
            if (savedAs != nullptr)
                *savedAs = name;
            return true;
        }
        if (prompts == nullptr)
            return false;
        prompts->ShowError(error);
        const QFileInfo current(name);
        name = prompts->ChooseSaveFile(QStringLiteral("保存"), QStringLiteral("HTML 文件 (*.html, *.htm)|*.html;*.htm"),
                                       current.path(), current.fileName(), QStringLiteral("htm"), true);
        if (name.isEmpty())
            return false;
    }
}
