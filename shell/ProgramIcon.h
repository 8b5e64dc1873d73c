#pragma once
// The program's icon: a small systeembord with a gate, its sockets and a wire.

#include <QIcon>
#include <QPixmap>

QPixmap ProgramPixmap(int size);
QIcon ProgramIcon();
