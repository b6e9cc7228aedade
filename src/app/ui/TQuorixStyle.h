#pragma once

#include <QProxyStyle>

// The platform's style with the program's hint timing: hints appear after
// one second.
class TQuorixStyle : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};
