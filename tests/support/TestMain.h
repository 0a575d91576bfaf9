#pragma once

#include <QObject>
#include <functional>
#include <vector>

// Several test classes make one test executable per source folder: each test file registers
// its class with QUENDAL_TEST(Class), and the shared main runs them all.
namespace TestMain {

using Factory = std::function<QObject*()>;
std::vector<Factory>& registry();

struct Registration {
    explicit Registration(Factory factory) { registry().push_back(std::move(factory)); }
};

} // namespace TestMain

#define QUENDAL_TEST(Class)                                                                        \
    static const TestMain::Registration registration_##Class(                                      \
        []() -> QObject* { return new Class; });
