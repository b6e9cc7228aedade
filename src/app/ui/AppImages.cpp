#include "AppImages.h"

#include "ProductInfo.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>

#include <QHash>

QIcon AppImages::ToolIcon(const QString& name)
{
    static QHash<QString, QIcon> cache;
    auto found = cache.find(name);
    if (found == cache.end())
        found = cache.insert(name, QIcon(QStringLiteral(":/quorix/icons/") + name + QStringLiteral(".svg")));
    return *found;
}

QIcon AppImages::TreeImage(int image)
{
    static QHash<int, QIcon> cache;
    if (image < 0 || image > 52)
        return {};
    auto found = cache.find(image);
    if (found == cache.end())
        found = cache.insert(image, QIcon(QStringLiteral(":/quorix/tree/%1.svg").arg(image, 2, 10, QLatin1Char('0'))));
    return *found;
}

QIcon AppImages::TreeStateImage(int state)
{
    if (state != 1 && state != 2)
        return {};
    static const QIcon states[] = {QIcon(QStringLiteral(":/quorix/tree/state1.svg")),
                                   QIcon(QStringLiteral(":/quorix/tree/state2.svg"))};
    return states[state - 1];
}

QPixmap AppImages::SplashPicture()
{
    QPixmap picture(361, 175);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient background(0, 0, 0, 175);
    background.setColorAt(0, QColor(0x2f, 0x6d, 0xb5));
    background.setColorAt(1, QColor(0x1f, 0x3a, 0x5f));
    painter.fillRect(picture.rect(), background);
    TreeImage(0).paint(&painter, QRect(24, 40, 64, 64));
    painter.setPen(Qt::white);
    QFont title = painter.font();
    title.setPixelSize(40);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(QRect(104, 36, 240, 56), Qt::AlignLeft | Qt::AlignVCenter, ProductInfo::Name());
    QFont version = painter.font();
    version.setPixelSize(16);
    version.setBold(false);
    painter.setFont(version);
    painter.drawText(QRect(106, 92, 240, 24), Qt::AlignLeft | Qt::AlignVCenter, ProductInfo::Version());
    painter.drawText(QRect(0, 140, 349, 24), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("帮助文档编写工具"));
    return picture;
}
