// Qt's own dialogs speak the program's language from the start: the file
// dialog may be the first dialog a user opens.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "platform/window_system.h"

TEST(QtTranslations, StandardButtonsAndTheFileDialogAreChineseBeforeAnyMessageBox) {
    ASSERT_TRUE(plat::init_window_system());
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "OK").toStdString(), "确定");
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "File &name:").toStdString(),
              "File &name:");
}
