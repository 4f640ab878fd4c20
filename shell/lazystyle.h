#pragma once

#include <QProxyStyle>

namespace shell {

// The application's style, drawn exactly as the platform's own, except that the menu bar's
// overflow arrow is read from its image files only when it is first drawn. A menu bar builds
// that button as it is created; loading its picture there means loading the image plugins,
// a noticeable part of the start, for a button that only shows when the menus do not fit.
class LazyStyle : public QProxyStyle
{
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};

} // namespace shell
