#pragma once
// "<units> Notes": reads and changes each unit's notes. The notes are written
// under the unit they were shown for whenever the box loses the focus, another
// unit is chosen, or the dialog closes.
#include <QDialog>
#include <QMap>

class QLabel;
namespace Ui { class frmRoomNotes; }

class frmRoomNotes : public QDialog {
    Q_OBJECT
public:
    explicit frmRoomNotes(QWidget* parent = nullptr);
    ~frmRoomNotes() override;
    // Shows the dialog modally until it is closed.
    static void ask(QWidget* parent);

    void Setup();
    void lstRooms_Click();
    void txtNotes_LostFocus();
    void cmdOK_Click();

    void done(int r) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Ui::frmRoomNotes* ui;
    qint32 m_shownUnit = -1;   // the unit whose notes the box holds; -1 none
};
