#pragma once
// Stored class names and how to construct a fresh object of each, for reading files.

#include "BoardObject.h"

#include <functional>
#include <memory>
#include <string>

using ObjectFactory = std::function<std::unique_ptr<CBoardObject>()>;

// Every stored class has schema 1.
constexpr int kClassSchema = 1;

void RegisterClass(const std::string& className, ObjectFactory factory);
// The factory of a registered class, or null.
const ObjectFactory* FindClass(const std::string& className);

template <class T>
void RegisterClassOf(const char* className)
{
    RegisterClass(className, [] { return std::make_unique<T>(); });
}
