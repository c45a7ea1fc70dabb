#include "config/frmwizconfig_rooms.h"

#include "core/numberinput.h"
#include "config/wizardrecords.h"
#include "core/configrecords.h"
#include "core/format.h"
#include "widgets/guard.h"
#include "core/modmain.h"
#include "widgets/lists.h"
#include "widgets/plaintext.h"
#include "widgets/platform.h"
#include "core/reserved.h"
#include "core/settings.h"
#include "ui_frmwizconfig_rooms.h"
#include "widgets/waitcursor.h"

#include <QCheckBox>
#include <algorithm>
#include <QKeyEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

// ---- Page 5: units -------------------------------------------------------------------

frmWizConfig_Rooms::frmWizConfig_Rooms(WizardRun& run, WizConfigCopies& copies, QWidget* parent)
    : WizPage(run, parent), ui(new Ui::frmWizConfig_Rooms), m_copies(copies)
{
    ui->setupUi(this);
    ShowLabelsAsPlainText(this);
    AttachButtons();
    connect(ui->cmdAdd, &QPushButton::clicked, this, guarded(this, &frmWizConfig_Rooms::cmdAdd_Click));
    connect(ui->cmdRemove, &QPushButton::clicked, this, guarded(this, &frmWizConfig_Rooms::cmdRemove_Click));

    for (size_t i = 0; i < m_copies.Rooms.size(); ++i)
        if (!m_copies.Rooms[i].Deleted)
            ListAdd(ui->lstRooms, m_copies.Rooms[i].Name, qint64(i));
    const QString& S = m_copies.CommoditySingular;
    const QString& P = m_copies.CommodityPlural;
    setWindowTitle(QStringLiteral("Enter your ") + S + QStringLiteral(" information"));
    SetPlainText(ui->lblMessage, QStringLiteral("Enter your ") + S + QStringLiteral(" information. For each ") + S
                                     + QStringLiteral(" enter it's name (or number) and then click Add."));
    SetPlainText(ui->lblName, S + QStringLiteral(" name:"));
    SetPlainText(ui->lblRooms, QStringLiteral("Available ") + P + QStringLiteral(":"));
}

frmWizConfig_Rooms::~frmWizConfig_Rooms()
{
    delete ui;
}

void frmWizConfig_Rooms::cmdAdd_Click()
{
    const QString& S = m_copies.CommoditySingular;
    if (ui->txtName->text().isEmpty()) {
        WizConfig_Refuse(QStringLiteral("No ") + S + QStringLiteral(" name has been entered. Please enter a ") + S
                   + QStringLiteral(" name (or number) to continue."),
               ui->txtName);
        return;
    }
    m_copies.Rooms.push_back({-1, false, ui->txtName->text()});
    ListAdd(ui->lstRooms, ui->txtName->text(), qint64(m_copies.Rooms.size() - 1));
    ui->txtName->clear();
    ui->txtName->setFocus();
}

void frmWizConfig_Rooms::cmdRemove_Click()
{
    const QString& S = m_copies.CommoditySingular;
    const int row = ui->lstRooms->currentRow();
    if (row < 0 || ui->lstRooms->selectedItems().isEmpty()) {
        WizConfig_Refuse(QStringLiteral("No ") + S + QStringLiteral(" has been selected to remove. Select a ") + S
                   + QStringLiteral(" from the list to continue."),
               ui->lstRooms);
        return;
    }
    WizConfig_Room& room = m_copies.Rooms.at(size_t(ListItemData(ui->lstRooms, row)));
    if (room.ID != -1
        && MsgBox(QStringLiteral("Deleting this ") + S
                      + QStringLiteral(" will also remove any reservations that have been made with it. Are you sure "
                                       "you want to delete the ")
                      + S + QStringLiteral("?"),
                  vbYesNoCancel | vbQuestion)
               != vbYes)
        return;
    room.Deleted = true;
    delete ui->lstRooms->takeItem(row);
}

void frmWizConfig_Rooms::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && ui->txtName->hasFocus()) {
        event->accept();
        RunGuarded([this] { cmdAdd_Click(); });
        return;
    }
    WizPage::keyPressEvent(event);
}

bool frmWizConfig_Rooms::Validate()
{
    if (ui->lstRooms->count() == 0) {
        WizConfig_Refuse(QStringLiteral("No ") + m_copies.CommodityPlural + QStringLiteral(" have been entered. Please enter your ")
                   + m_copies.CommoditySingular + QStringLiteral(" information to continue."),
               ui->txtName);
        return false;
    }
    return true;
}
