#pragma once

#include <QObject>
#include <functional>
#include <vector>

// Test classes register themselves; qt_tests runs every one of them.
namespace fiscora::test {

std::vector<std::function<int(int, char**)>>& qtTests();

struct QtTestRegistration {
    explicit QtTestRegistration(std::function<int(int, char**)> run) {
        qtTests().push_back(std::move(run));
    }
};

}  // namespace fiscora::test

#define FISCORA_QT_TEST(Class)                                                                     \
    static const fiscora::test::QtTestRegistration registered##Class([](int argc, char** argv) {   \
        Class test;                                                                                \
        return QTest::qExec(&test, argc, argv);                                                    \
    });
