#include "print/ui/BackgroundPicture.h"

#include "app/FileDialogs.h"
#include "db/Dataset.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

bool chooseBackgroundPicture(FileDialogs &dialogs, Dataset &fpdzqry)
{
    const QString current = fpdzqry.value(u"fpdz"_s).toString();
    const QString chosen = dialogs.openPictureFile(current);
    if (chosen.isEmpty())
        return false;
    // edit() starts a row when the table has none.
    fpdzqry.edit();
    fpdzqry.setValue(u"fpdz"_s, QFileInfo(chosen).absoluteFilePath());
    return true;
}
