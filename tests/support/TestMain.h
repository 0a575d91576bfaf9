#pragma once

#include <QByteArray>
#include <QObject>
#include <functional>
#include <map>
#include <vector>

// Several test classes make one test executable per source folder: each test file registers
// its class with QUENDAL_TEST(Class), and the shared main runs them all.
namespace TestMain {

using Factory = std::function<QObject*()>;
std::vector<Factory>& registry();

struct Registration {
    explicit Registration(Factory factory) { registry().push_back(std::move(factory)); }
};

// A test that needs a second process starts its own executable with QUENDAL_TEST_ROLE set to a
// role's name; that process runs the role instead of the tests and exits with its result.
using Role = std::function<int()>;
std::map<QByteArray, Role>& roles();

struct RoleRegistration {
    RoleRegistration(const char* name, Role role) { roles()[name] = std::move(role); }
};

} // namespace TestMain

#define QUENDAL_TEST(Class)                                                                        \
    static const TestMain::Registration registration_##Class(                                      \
        []() -> QObject* { return new Class; });
