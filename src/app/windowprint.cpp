#include "app/windowprint.h"

#include "app/frmmain.h"
#include "widgets/platform.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QMarginsF>
#include <QPageLayout>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>

#include <cmath>
#include <exception>

Q_LOGGING_CATEGORY(lcPrint, "tarlomy.print")

namespace {

QPrinter* g_printer = nullptr;

}  // namespace

QPrinter& CurrentPrinter()
{
    if (!g_printer) {
        g_printer = new QPrinter(QPrinter::HighResolution);
        // Released with the application, while the print support still exists.
        qAddPostRoutine([] {
            delete g_printer;
            g_printer = nullptr;
        });
    }
    return *g_printer;
}

// Every failure while printing is ignored: a step that fails is skipped and
// the print may come out empty, with no message.
void DoPrint()
{
    if (!MainFormLoaded())
        return;
    frmMain& main = MainForm();
    try {
        QPrinter& printer = CurrentPrinter();
        // The dialog works on the current printer, so the printer the user
        // chooses there is the one printed on and the one page setup sets up.
        if (!platform().print().printDialog(&main, printer))
            return;

        // Let the window repaint where the dialog covered it.
        QApplication::processEvents();
        // The window's own image, taken without the clipboard, which keeps
        // whatever the user put there.
        const QPixmap shot = main.grab();
        QApplication::processEvents();
        if (shot.isNull())
            return;

        QPainter painter;
        if (!painter.begin(&printer))
            return;
        // One screen pixel covers printer-dpi / screen-dpi printer dots, so the
        // picture prints at the size it has on the screen, from the top-left
        // corner of the printable area.
        const double screenDpiX = main.logicalDpiX() > 0 ? main.logicalDpiX() : 96.0;
        const double screenDpiY = main.logicalDpiY() > 0 ? main.logicalDpiY() : 96.0;
        const QSizeF logical = shot.deviceIndependentSize();
        const QRectF target(0, 0, logical.width() * printer.logicalDpiX() / screenDpiX,
                            logical.height() * printer.logicalDpiY() / screenDpiY);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(target, shot, QRectF(shot.rect()));
        painter.end();
    } catch (const std::exception& e) {
        // Printing is given up without a word to the user, as it always was.
        qCWarning(lcPrint) << "printing the window failed:" << e.what();
    }
}

void DoPageSetup()
{
    // The margins chosen have no effect on printing.
    RECT rtMargin;
    try {
        PageSetup(MainFormLoaded() ? &MainForm() : nullptr, rtMargin);
    } catch (const std::exception& e) {
        qCWarning(lcPrint) << "page setup failed:" << e.what();
    }
}

bool PageSetup(QWidget* hWndOwner, RECT& rtMargin)
{
    QPrinter& printer = CurrentPrinter();
    if (!printer.isValid())
        return false;
    // The dialog changes the paper size, the paper source and the
    // orientation of the printer only when the user confirms it.
    if (!platform().print().pageSetupDialog(hWndOwner, printer))
        return false;
    const QMarginsF m = printer.pageLayout().margins(QPageLayout::Inch);
    rtMargin.Left = qint32(std::lround(m.left() * 1000));
    rtMargin.Top = qint32(std::lround(m.top() * 1000));
    rtMargin.Right = qint32(std::lround(m.right() * 1000));
    rtMargin.Bottom = qint32(std::lround(m.bottom() * 1000));
    return true;
}
