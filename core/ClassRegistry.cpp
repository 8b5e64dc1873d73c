#include "ClassRegistry.h"

#include <unordered_map>

namespace {
std::unordered_map<std::string, ObjectFactory>& Registry()
{
    static std::unordered_map<std::string, ObjectFactory> registry;
    return registry;
}
} // namespace

void RegisterClass(const std::string& className, ObjectFactory factory)
{
    Registry()[className] = std::move(factory);
}

const ObjectFactory* FindClass(const std::string& className)
{
    const auto it = Registry().find(className);
    return it == Registry().end() ? nullptr : &it->second;
}
