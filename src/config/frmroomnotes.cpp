#include "config/frmroomnotes.h"

#include "core/configrecords.h"
#include "widgets/controlarray.h"
#include "widgets/guard.h"
#include "core/modmain.h"
#include "widgets/lists.h"
#include "widgets/plaintext.h"
#include "ui_frmroomnotes.h"

#include <QEvent>

frmRoomNotes::frmRoomNotes(QWidget* parent) : QDialog(parent), ui(new Ui::frmRoomNotes)
{
    ui->setupUi(this);
    const QMap<int, QLabel*> Label1 = ControlArray<QLabel>(this, QStringLiteral("Label1"));
    setWindowTitle(gsCommodityPlural + QStringLiteral(" Notes"));
    SetPlainText(Label1[2], QStringLiteral("Add notes to ") + gsCommodityPlural);
    SetPlainText(Label1[9], QStringLiteral("Available ") + gsCommodityPlural);
    SetPlainText(Label1[0], gsCommoditySingular + QStringLiteral(" Notes:"));
    ui->txtNotes->installEventFilter(this);
    connect(ui->lstRooms, &QComboBox::currentIndexChanged, this, guarded(this, &frmRoomNotes::lstRooms_Click));
    connect(ui->cmdOK, &QPushButton::clicked, this, guarded(this, &frmRoomNotes::cmdOK_Click));
    Setup();
    if (ui->lstRooms->count() > 0) {
        SetListIndex(ui->lstRooms, 0);
    } else {
        ui->lstRooms->setEnabled(false);
        ui->txtNotes->setEnabled(false);
    }
}

frmRoomNotes::~frmRoomNotes()
{
    delete ui;
}

void frmRoomNotes::ask(QWidget* parent)
{
    frmRoomNotes d(parent);
    d.exec();
}

void frmRoomNotes::Setup()
{
    for (const NamedRow& r : UnitRecord::inTableOrder())
        ComboAdd(ui->lstRooms, r.name, r.id);
}

void frmRoomNotes::lstRooms_Click()
{
    const int index = ui->lstRooms->currentIndex();
    if (index < 0)
        return;
    // The box still holds the notes of the unit shown before (a mouse wheel
    // changes the unit without taking the focus from the box).
    txtNotes_LostFocus();
    m_shownUnit = qint32(ComboItemData(ui->lstRooms, index));
    if (const std::optional<QString> notes = UnitRecord::notesOf(m_shownUnit))
        ui->txtNotes->setPlainText(*notes);
}

void frmRoomNotes::txtNotes_LostFocus()
{
    if (m_shownUnit != -1)
        UnitRecord::saveNotes(m_shownUnit, ui->txtNotes->toPlainText());
}

void frmRoomNotes::cmdOK_Click()
{
    accept();
}

void frmRoomNotes::done(int r)
{
    RunGuarded([this] { txtNotes_LostFocus(); });
    m_shownUnit = -1;
    QDialog::done(r);
}

bool frmRoomNotes::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->txtNotes && event->type() == QEvent::FocusOut)
        RunGuarded([this] { txtNotes_LostFocus(); });
    return QDialog::eventFilter(watched, event);
}
