#include "TRecentProjects.h"

#include "Paths.h"
#include "ProgramFolder.h"

#include <QFileInfo>
#include <QSettings>

namespace {

const QString CountKey = QStringLiteral("RecentFilesCount");

QString entryKey(int number)
{
    return QStringLiteral("RecentFile") + QString::number(number);
}

} // namespace

TRecentProjects::TRecentProjects(QSettings& settings)
    : m_settings(settings)
{
}

QStringList TRecentProjects::Stored() const
{
    bool ok = false;
    const int count = m_settings.value(CountKey).toInt(&ok);
    QStringList entries;
    if (!ok)
        return entries;
    for (int number = 1; number <= count; ++number) {
        const QVariant value = m_settings.value(entryKey(number));
        if (value.isValid() && value.canConvert<QString>() && !value.toString().isEmpty())
            entries.append(value.toString());
    }
    return entries;
}

QStringList TRecentProjects::Entries() const
{
    bool ok = false;
    const int count = m_settings.value(CountKey).toInt(&ok);
    if (!ok || count <= 0)
        return {SampleProject()};
    QStringList entries;
    for (const QString& file : Stored()) {
        if (QFileInfo(file).isFile())
            entries.append(file);
    }
    return entries;
}

void TRecentProjects::Add(const QString& projectFile)
{
    QStringList list{projectFile};
    for (const QString& file : Stored()) {
        if (!list.contains(file, Qt::CaseInsensitive))
            list.append(file);
    }
    const int count = std::min<int>(list.size(), MaxCount);
    m_settings.setValue(CountKey, count);
    for (int number = 1; number <= count; ++number)
        m_settings.setValue(entryKey(number), list[number - 1]);
}

QString TRecentProjects::SampleProject()
{
    const QString inDocuments = DocumentsFolder() + QStringLiteral("/Quorix 项目/示例项目/sample.qrx");
    if (QFileInfo(inDocuments).isFile())
        return inDocuments;
    return ProgramDataFolder() + QStringLiteral("/sample/sample.qrx");
}
