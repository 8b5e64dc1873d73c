#pragma once
// The Dutch texts of file and archive errors; "%s" stands for the path.

#include <QString>

// The message for a cause, or an empty string for a cause outside the tables.
QString FileErrorMessage(int cause);
QString ArchiveErrorMessage(int cause);
