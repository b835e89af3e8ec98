#include <QApplication>

#include "qt_test_registry.h"

namespace fiscora::test {

std::vector<std::function<int(int, char**)>>& qtTests() {
    static std::vector<std::function<int(int, char**)>> tests;
    return tests;
}

}  // namespace fiscora::test

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int failed = 0;
    for (const auto& run : fiscora::test::qtTests()) failed += run(argc, argv) != 0 ? 1 : 0;
    return failed;
}
