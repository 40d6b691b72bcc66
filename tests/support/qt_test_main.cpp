#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Widget tests never need a display; a real one may still be chosen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef TRIVEX_TEST_SCALE_FACTOR
    // Set here, not by the test runner: wine hands no QT_ variable on.
    qputenv("QT_SCALE_FACTOR", TRIVEX_TEST_SCALE_FACTOR);
#endif
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
