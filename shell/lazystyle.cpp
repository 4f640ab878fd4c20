#include "lazystyle.h"

#include <QIconEngine>
#include <QPainter>
#include <QPointer>

namespace shell {

namespace {

// An icon that asks the style for its pixmaps on first use.
class DeferredIconEngine : public QIconEngine
{
public:
    DeferredIconEngine(QStyle *style, QStyle::StandardPixmap which) : m_style(style), m_which(which)
    {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    // Asked by widgets that merely check whether there is an icon: there is, and answering
    // must not load it.
    bool isNull() override { return false; }
    QIconEngine *clone() const override { return new DeferredIconEngine(m_style, m_which); }

private:
    const QIcon &icon()
    {
        if (!m_loaded && m_style)
            m_icon = m_style->standardIcon(m_which);
        m_loaded = true;
        return m_icon;
    }

    QPointer<QStyle> m_style;
    const QStyle::StandardPixmap m_which;
    bool m_loaded = false;
    QIcon m_icon;
};

} // namespace

QIcon LazyStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption *option,
                              const QWidget *widget) const
{
    if (standardIcon == SP_ToolBarHorizontalExtensionButton)
        return QIcon(new DeferredIconEngine(baseStyle(), standardIcon));
    return QProxyStyle::standardIcon(standardIcon, option, widget);
}

} // namespace shell
