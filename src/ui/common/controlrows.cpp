#include "ui/common/controlrows.h"

#include <QWidget>

void placeControl(QWidget *control, const ControlRow &row)
{
    control->setObjectName(QString::fromLatin1(row.name));
    if (row.twips.width > 0 || row.twips.height > 0)
        control->setGeometry(twipsRect(row.twips));
    if (!row.toolTip.isEmpty())
        control->setToolTip(row.toolTip.toString());
    if (!row.accessibleName.isEmpty())
        control->setAccessibleName(row.accessibleName.toString());
}
