#include "config/frmconfigrooms.h"

#include "config/frmroomadd.h"
#include "core/modmain.h"
#include "widgets/lists.h"

#include <QListWidget>

frmConfigRooms::frmConfigRooms(QWidget* parent) : ConfigListDialog(parent)
{
    useStandardDesign(QStringLiteral("frmConfigRooms"), QStringLiteral("Configure ") + gsCommodityPlural,
                      QStringLiteral("Available ") + gsCommodityPlural + QStringLiteral(":"),
                      QStringLiteral("Configure the ") + gsCommodityPlural +
                          QStringLiteral(" that should be available for booking."));
    list()->setObjectName(QStringLiteral("lstRooms"));
    Setup(-1);
}

void frmConfigRooms::ask(QWidget* parent)
{
    frmConfigRooms d(parent);
    d.exec();
}

void frmConfigRooms::Setup(qint32 SelectID)
{
    fillList();
    if (SelectID != -1)
        SelectListBox_ItemData(list(), QString::number(SelectID));
}

void frmConfigRooms::refresh(qint32 handledId)
{
    Setup(handledId);
}

std::vector<NamedRow> frmConfigRooms::entries()
{
    return UnitRecord::listed();
}

ConfigAnswer frmConfigRooms::openEditor(qint32 id)
{
    return ConfigEditDialog::run<frmRoomAdd>(id, this);
}

QString frmConfigRooms::editSelectionMessage() const
{
    return QStringLiteral("No %1 has been selected. Please select a %1 to continue.").arg(gsCommoditySingular);
}

QString frmConfigRooms::removeSelectionMessage() const
{
    return editSelectionMessage();
}

QString frmConfigRooms::inUseRefusal(qint32 id)
{
    if (UnitRecord::isBooked(id))
        return QStringLiteral("This %1 is currently in reserved for a booking and cannot be deleted. To delete this %1 "
                              "first remove any bookings associated with it.")
            .arg(gsCommoditySingular);
    return {};
}

// A unit no booking uses goes without a question.
QString frmConfigRooms::deleteQuestion() const
{
    return {};
}

void frmConfigRooms::deleteRow(qint32 id)
{
    UnitRecord::remove(id);
}
