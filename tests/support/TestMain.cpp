#include "TestMain.h"

#include "platform/ApplicationLook.h"
#include "platform/StartUpWarmUp.h"

#include <QApplication>
#include <QTest>
#include <memory>

namespace TestMain {

std::vector<Factory>& registry() {
    static std::vector<Factory> factories;
    return factories;
}

std::map<QByteArray, Role>& roles() {
    static std::map<QByteArray, Role> named;
    return named;
}

} // namespace TestMain

int main(int argc, char** argv) {
    StartUpWarmUp warmUp;
    QApplication::setAttribute(Qt::AA_Use96Dpi, true); // twips map to pixels at 15:1
    QApplication app(argc, argv);
    warmUp.installTranslation(); // Qt's German texts, as in the program
    warmUp.wait();
    ApplicationLook::apply(); // as the program does
    if (const QByteArray role = qgetenv("QUENDAL_TEST_ROLE"); !role.isEmpty()) {
        const auto found = TestMain::roles().find(role);
        return found == TestMain::roles().end() ? 2 : found->second();
    }
    int failures = 0;
    for (const TestMain::Factory& factory : TestMain::registry()) {
        std::unique_ptr<QObject> test(factory());
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
