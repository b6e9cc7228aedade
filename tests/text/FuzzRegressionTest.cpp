// Replays the inputs the fuzz target (fuzz/) once failed on.
#include "../../fuzz/TextRoutines.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

TEST(FuzzRegression, InputsThatOnceFailedNowPass)
{
    const QDir folder(QStringLiteral(QUORIX_TEST_DATA_DIR "/text/fuzz"));
    const QStringList names = folder.entryList(QDir::Files, QDir::Name);
    ASSERT_FALSE(names.isEmpty());
    for (const QString& name : names) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray bytes = file.readAll();
        const QString failure =
            textfuzz::RunTextRoutines(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
        EXPECT_TRUE(failure.isEmpty()) << name.toStdString() << ": " << failure.toStdString();
    }
}
