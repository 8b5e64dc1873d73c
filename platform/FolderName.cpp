#include "FolderName.h"

QString FolderName(const QString& typed)
{
    QString folder = typed.trimmed();
    if (folder.isEmpty() || folder.endsWith(u'\\')) return folder;
    if (folder.endsWith(u'/')) folder.chop(1);
    return folder + u'\\';
}
