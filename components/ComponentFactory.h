#pragma once
// Creating components by palette (creation) index, and registering every component
// class with the archive under its stored name.

#include "core/Component.h"

#include <memory>

constexpr int kCreationIndexCount = 25;

// The component of that creation index, or null for an index no class has.
std::unique_ptr<CComponent> CreateComponentByIndex(int index);
// The creation index of a type identifier, or -1.
int CreationIndexOfType(unsigned typeId);

void RegisterComponentClasses();
