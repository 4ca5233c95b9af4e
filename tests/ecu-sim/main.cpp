#include <QCoreApplication>
#include <gtest/gtest.h>

// The program tests run the link and QProcess, which need an application object.
int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
