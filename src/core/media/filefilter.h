#pragma once

#include <QStringList>

// Converts a "description|patterns|description|patterns|" filter, patterns
// separated by ";", into Qt name filters such as "Description (*.a *.b)".
// The all-files pattern "*.*" becomes "*", so files without an extension
// are listed too, as they are by the Windows dialogs.
QStringList nameFiltersFromFilterString(const QString &filter);

// The filter of the dialogs that open or add a media file.
QString mediaFileFilter();
