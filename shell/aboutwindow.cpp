#include "aboutwindow.h"

#include "ui_frmabout.h"

#include "surface/qt/controls.h"
#include "surface/qt/runtime.h"
#include "surface/qt/windowframe.h"

namespace shell {

using namespace surface::qt;

struct AboutWindow::Binding
{
    Binding(AboutWindow *window, Ui::frmAbout *ui) : window(window), lblAbout(ui->lblAbout) {}

    QtWindow window;
    QtLabel lblAbout;
};

AboutWindow::AboutWindow() : ui(std::make_unique<Ui::frmAbout>())
{
    ui->setupUi(this);
    // The title's own font. Definition files only hold whole point sizes; systems without
    // this family substitute their nearest.
    QFont title(QStringLiteral("MS Sans Serif"));
    title.setPointSizeF(9.75);
    title.setWeight(QFont::Normal);
    title.setItalic(false);
    title.setUnderline(false);
    title.setStrikeOut(false);
    ui->Label1->setFont(title);

    setSizableDialogFrame(this);
    skipTaskbar(this);
    m_binding = std::make_unique<Binding>(this, ui.get());
    m_form = std::make_unique<frmAbout>(AboutControls{m_binding->window, m_binding->lblAbout});

    connect(ui->cmdOK, &QPushButton::clicked, this,
            [this] { runEvent([this] { m_form->cmdOK_Click(); }); });
    runEvent([this] { m_form->Form_Load(); });
    ui->cmdOK->setFocus();
}

AboutWindow::~AboutWindow() = default;

surface::Window &AboutWindow::surfaceWindow()
{
    return m_binding->window;
}

} // namespace shell
