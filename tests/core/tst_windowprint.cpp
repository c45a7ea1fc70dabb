// Printing the main window: one page holding the window's image at its
// on-screen size, on the printer chosen in the print dialog.
#include "support/testsupport.h"

#include "app/frmmain.h"
#include "app/windowprint.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPrinter>
#include <QRegularExpression>
#include <QTransform>

namespace {

// What a one-page PDF written by Qt holds: its pages, images, page size and
// where the image is drawn.
struct PdfSummary {
    int pages = 0;
    int images = 0;
    QSize imageSize;
    QSizeF mediaBox;
    bool drawn = false;
    QTransform imageMatrix;   // unit square -> page points
};

QByteArray streamOf(const QByteArray& pdf, int object)
{
    const QRegularExpression head(QStringLiteral("(?:^|\\n)%1 0 obj\\s*<<(.*?)>>\\s*stream\\r?\\n").arg(object),
                                  QRegularExpression::DotMatchesEverythingOption);
    const auto m = head.match(QString::fromLatin1(pdf));
    if (!m.hasMatch())
        return {};
    const qsizetype start = m.capturedEnd();
    const QByteArray raw = pdf.mid(start, pdf.indexOf("endstream", start) - start);
    if (!m.captured(1).contains(QLatin1String("FlateDecode")))
        return raw;
    // qUncompress wants the expected size in front; it grows the buffer as needed.
    QByteArray sized(4, '\0');
    const quint32 hint = quint32(raw.size() * 8 + 1024);
    for (int i = 0; i < 4; ++i)
        sized[i] = char((hint >> (24 - 8 * i)) & 0xff);
    return qUncompress(sized + raw);
}

PdfSummary readPdf(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray pdf = f.readAll();
    const QString text = QString::fromLatin1(pdf);
    PdfSummary s;
    s.pages = int(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![s\\w])"))));
    s.images = int(text.count(QRegularExpression(QStringLiteral("/Subtype\\s*/Image"))));
    const auto img = QRegularExpression(QStringLiteral("/Subtype\\s*/Image\\s*/Width\\s+(\\d+)\\s*/Height\\s+(\\d+)")).match(text);
    if (img.hasMatch())
        s.imageSize = QSize(img.captured(1).toInt(), img.captured(2).toInt());
    const auto box = QRegularExpression(QStringLiteral("/MediaBox\\s*\\[\\s*0\\s+0\\s+([\\d.]+)\\s+([\\d.]+)\\s*\\]")).match(text);
    if (box.hasMatch())
        s.mediaBox = QSizeF(box.captured(1).toDouble(), box.captured(2).toDouble());

    // Follow the page's graphics state up to the image's Do.
    const auto contents = QRegularExpression(QStringLiteral("/Contents\\s+(\\d+)\\s+0\\s+R")).match(text);
    if (!contents.hasMatch())
        return s;
    const QStringList tokens = QString::fromLatin1(streamOf(pdf, contents.captured(1).toInt()))
                                   .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    QList<QTransform> saved;
    QTransform ctm;
    QList<double> operands;
    for (const QString& t : tokens) {
        bool isNumber = false;
        const double v = t.toDouble(&isNumber);
        if (isNumber) {
            operands << v;
            continue;
        }
        if (t == QLatin1String("cm") && operands.size() >= 6) {
            const auto o = operands.mid(operands.size() - 6);
            ctm = QTransform(o[0], o[1], o[2], o[3], o[4], o[5]) * ctm;
        } else if (t == QLatin1String("q")) {
            saved << ctm;
        } else if (t == QLatin1String("Q") && !saved.isEmpty()) {
            ctm = saved.takeLast();
        } else if (t == QLatin1String("Do")) {
            s.drawn = true;
            s.imageMatrix = ctm;
        }
        if (!t.startsWith(u'/'))
            operands.clear();
    }
    return s;
}

void printToPdf(QPrinter& printer, const QString& file)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
}

}  // namespace

class TestWindowPrint : public DbTest {
    Q_OBJECT
private slots:
    void init() { resetProgramState(); }
    void cleanup() { resetProgramState(); }

    void printsTheWindowOnOnePageAtItsScreenSize();
    void cancelledPrintDialogPrintsNothing();
    void pageSetupWorksOnThePrinterChosenForPrinting();
};

void TestWindowPrint::printsTheWindowOnOnePageAtItsScreenSize()
{
    TestDb db;
    frmMain& main = loadMainWindow(db);
    main.resize(900, 600);
    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("window.pdf"));
    QPrinter* used = nullptr;
    fakes().print->configure = [&](QPrinter& p) {
        used = &p;
        printToPdf(p, pdf);
        p.setPageOrientation(QPageLayout::Portrait);
    };
    QGuiApplication::clipboard()->setText(QStringLiteral("the user's own text"));

    main.mnuFilePrint_Click();

    QCOMPARE(fakes().print->printDialogs, 1);
    QCOMPARE(used, &CurrentPrinter());
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("the user's own text"));
    const PdfSummary s = readPdf(pdf);
    QCOMPARE(s.pages, 1);
    QCOMPARE(s.images, 1);
    const QSize pixels = main.grab().size();
    QCOMPARE(s.imageSize, pixels);
    QVERIFY(s.drawn);

    // At the screen's resolution the image is as large on paper as on the
    // screen, with its top-left corner at that of the printable area.
    const double ptPerPx = 72.0 / main.logicalDpiX();
    const QPointF topLeft = s.imageMatrix.map(QPointF(0, 1));
    const QLineF across(topLeft, s.imageMatrix.map(QPointF(1, 1)));
    const QLineF down(topLeft, s.imageMatrix.map(QPointF(0, 0)));
    QVERIFY2(qAbs(across.length() - pixels.width() * ptPerPx) < 0.5, qPrintable(QString::number(across.length())));
    QVERIFY2(qAbs(down.length() - pixels.height() * ptPerPx) < 0.5, qPrintable(QString::number(down.length())));
    const QRectF printable = CurrentPrinter().pageLayout().paintRect(QPageLayout::Point);
    QVERIFY(qAbs(topLeft.x() - printable.left()) < 0.5);
    QVERIFY(qAbs(topLeft.y() - (s.mediaBox.height() - printable.top())) < 0.5);
}

void TestWindowPrint::cancelledPrintDialogPrintsNothing()
{
    loadMain();
    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("never.pdf"));
    printToPdf(CurrentPrinter(), pdf);
    fakes().print->acceptPrint = false;

    DoPrint();

    QCOMPARE(fakes().print->printDialogs, 1);
    QVERIFY(!QFile::exists(pdf));
    QVERIFY(fakes().messageBoxes->shown.isEmpty());
}

void TestWindowPrint::pageSetupWorksOnThePrinterChosenForPrinting()
{
    loadMain();
    QTemporaryDir out;
    const QString first = out.filePath(QStringLiteral("first.pdf"));
    const QString second = out.filePath(QStringLiteral("second.pdf"));

    // The print dialog chooses the printer (here: a PDF file, upright paper).
    QList<QPrinter*> dialogs;
    fakes().print->configure = [&](QPrinter& p) {
        dialogs << &p;
        printToPdf(p, first);
        p.setPageOrientation(QPageLayout::Portrait);
    };
    DoPrint();
    const PdfSummary upright = readPdf(first);
    QCOMPARE(upright.pages, 1);
    QVERIFY(upright.mediaBox.height() > upright.mediaBox.width());

    // Page setup finds that printer and turns the paper; margins come back
    // in thousandths of an inch.
    fakes().print->configure = [&](QPrinter& p) {
        dialogs << &p;
        QCOMPARE(p.outputFileName(), first);
        p.setPageOrientation(QPageLayout::Landscape);
        p.setPageMargins(QMarginsF(0.5, 0.25, 0.5, 0.25), QPageLayout::Inch);
    };
    RECT margins;
    QVERIFY(PageSetup(&MainForm(), margins));
    QCOMPARE(margins.Left, 500);
    QCOMPARE(margins.Top, 250);

    // Cancelled, it changes nothing.
    fakes().print->acceptPageSetup = false;
    QVERIFY(!PageSetup(&MainForm(), margins));
    QCOMPARE(CurrentPrinter().pageLayout().orientation(), QPageLayout::Landscape);

    // The next print keeps the printer and its paper.
    fakes().print->configure = [&](QPrinter& p) {
        dialogs << &p;
        p.setOutputFileName(second);
    };
    DoPrint();
    const PdfSummary turned = readPdf(second);
    QCOMPARE(turned.pages, 1);
    QCOMPARE(turned.images, 1);
    QVERIFY(turned.mediaBox.width() > turned.mediaBox.height());
    QCOMPARE(dialogs.size(), 3);
    for (QPrinter* p : dialogs)
        QCOMPARE(p, &CurrentPrinter());
}

TARLOMY_GUI_TEST_MAIN(TestWindowPrint)
#include "tst_windowprint.moc"
