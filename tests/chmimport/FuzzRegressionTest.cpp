// Replays the inputs the import's fuzz target (fuzz/) once failed on, and
// its seeds.
#include "../../fuzz/ChmImportRoutines.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

TEST(ChmImportFuzzRegression, InputsThatOnceFailedNowPass)
{
    for (const char* folder : {QUORIX_TEST_DATA_DIR "/chmimport/fuzz", QUORIX_TEST_DATA_DIR "/../../fuzz/corpus-chmimport"}) {
        const QDir dir(QString::fromUtf8(folder));
        const QStringList files = dir.entryList(QDir::Files);
        for (const QString& name : files) {
            SCOPED_TRACE(name.toStdString());
            QFile file(dir.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            EXPECT_EQ(chmfuzz::RunChmImportRoutines(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()))
                          .toStdString(),
                      "");
        }
    }
}

} // namespace
