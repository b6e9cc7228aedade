#pragma once

#include "ChmReader.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#ifdef QUORIX_HAVE_MSPACK
#include <mspack.h>
#endif

// Checks that every reader available here lists each expected object of a
// compiled help file with exactly the expected bytes: chmlib, libmspack (by
// its directory walk and its fast lookup through the index chunks) and 7-Zip.
namespace ChmReadersCheck {

using TExpected = QMap<QString, QByteArray>;

inline void ExpectChmlib(const QString& chm, const TExpected& expected)
{
    ChmReader help(chm);
    ASSERT_TRUE(help.isOpen());
    const QSet<QString> names = help.names();
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        EXPECT_TRUE(names.contains(it.key())) << "chmlib lists no " << it.key().toStdString();
        EXPECT_TRUE(help.read(it.key()) == it.value()) << "chmlib reads " << it.key().toStdString() << " wrong";
    }
}

#ifdef QUORIX_HAVE_MSPACK
inline QByteArray MspackExtract(mschm_decompressor* chmd, mschmd_file* file, const QString& folder)
{
    const QString out = folder + QStringLiteral("/extracted");
    QFile::remove(out);
    if (chmd->extract(chmd, file, QFile::encodeName(out).constData()) != MSPACK_ERR_OK)
        return QByteArray("<extract failed>");
    QFile read(out);
    return read.open(QIODevice::ReadOnly) ? read.readAll() : QByteArray();
}
#endif

inline void ExpectLibmspack(const QString& chm, const TExpected& expected)
{
#ifdef QUORIX_HAVE_MSPACK
    QTemporaryDir work;
    ASSERT_TRUE(work.isValid());
    mschm_decompressor* chmd = mspack_create_chm_decompressor(nullptr);
    ASSERT_NE(chmd, nullptr);
    const QByteArray path = QFile::encodeName(chm);
    mschmd_header* header = chmd->open(chmd, path.constData());
    ASSERT_NE(header, nullptr) << "libmspack cannot open the file";
    QMap<QString, QByteArray> listed;
    for (mschmd_file* file = header->files; file; file = file->next)
        if (expected.contains(QString::fromUtf8(file->filename)))
            listed.insert(QString::fromUtf8(file->filename), MspackExtract(chmd, file, work.path()));
    for (mschmd_file* file = header->sysfiles; file; file = file->next)
        if (expected.contains(QString::fromUtf8(file->filename)))
            listed.insert(QString::fromUtf8(file->filename), MspackExtract(chmd, file, work.path()));
    chmd->close(chmd, header);
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        EXPECT_TRUE(listed.value(it.key()) == it.value()) << "libmspack lists " << it.key().toStdString() << " wrong";

    mschmd_header* fast = chmd->fast_open(chmd, path.constData());
    ASSERT_NE(fast, nullptr) << "libmspack's fast open fails";
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        mschmd_file file{};
        const QByteArray name = it.key().toUtf8();
        EXPECT_EQ(chmd->fast_find(chmd, fast, name.constData(), &file, sizeof(file)), MSPACK_ERR_OK);
        EXPECT_TRUE(file.section && MspackExtract(chmd, &file, work.path()) == it.value())
            << "libmspack's index lookup finds " << it.key().toStdString() << " wrong";
    }
    chmd->close(chmd, fast);
    mspack_destroy_chm_decompressor(chmd);
#else
    (void)chm;
    (void)expected;
#endif
}

// 7-Zip extracts the objects under their names, "/" dropped.
inline void Expect7Zip(const QString& chm, const TExpected& expected)
{
    const QString sevenZip = QStandardPaths::findExecutable(QStringLiteral("7z"));
    if (sevenZip.isEmpty())
        return;
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    QProcess run;
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(sevenZip, {QStringLiteral("x"), QStringLiteral("-y"), QStringLiteral("-o") + out.path(), chm});
    ASSERT_TRUE(run.waitForFinished(120000));
    const QString output = QString::fromLocal8Bit(run.readAll());
    ASSERT_EQ(run.exitCode(), 0) << output.toStdString();
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        QFile file(out.path() + it.key());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly) && file.readAll() == it.value())
            << "7-Zip extracts " << it.key().toStdString() << " wrong";
    }
}

inline void ExpectEveryReader(const QString& chm, const TExpected& expected)
{
    ExpectChmlib(chm, expected);
    ExpectLibmspack(chm, expected);
    Expect7Zip(chm, expected);
}

} // namespace ChmReadersCheck
