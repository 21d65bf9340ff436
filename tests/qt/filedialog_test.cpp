// DeskPad's dialog record through Qt's own file dialog: what it proposes and
// filters, and the native path it hands back, however long.
#include "filedialogs.h"
#include "support.h"

#include "deskpad/asave.h"
#include "support/files.h"

#include <QDir>
#include <QLineEdit>


namespace tavrin::qt::test {
namespace {

// Types a name into the dialog and accepts it, noting what it proposed.
void typeName(const QString& name, QString* proposed = nullptr, QStringList* filters = nullptr) {
    withNextFileDialog([=](QFileDialog& dialog) {
        auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (proposed && edit)
            *proposed = edit->text();
        if (filters)
            *filters = dialog.nameFilters();
        if (edit)
            edit->setText(name);
        QMetaObject::invokeMethod(&dialog, "accept");
    });
}

using PadDialog = QtHostTest;

TEST_F(PadDialog, ProposesDeskpadFiltersTextFilesAndAddsTxt) {
    testsupport::ScratchFolder dir;
    PreparePadDialog(0);
    QString proposed;
    QStringList filters;
    typeName(dir.path("notes"), &proposed, &filters);
    ASSERT_NE(rt::GetSaveFileNameA(paddialog), 0);
    EXPECT_EQ(proposed, "Deskpad");
    EXPECT_EQ(filters, QStringList{"Text Files (*.txt)"});
    EXPECT_EQ(rt::UpToNul(paddialog.lpstrFile), dir.path("notes.txt"));

    dir.write("notes.txt", "x");
    PreparePadDialog(0);
    typeName(dir.path("notes"));
    ASSERT_NE(rt::GetOpenFileNameA(paddialog), 0);
    EXPECT_EQ(rt::UpToNul(paddialog.lpstrFile), dir.path("notes.txt")) << "opening adds the extension too";
}

TEST_F(PadDialog, ALongNativePathComesBackWhole) {
    testsupport::ScratchFolder dir;
    QString folder = dir.path("");
    for (int i = 0; i < 9; ++i) {
        folder += QStringLiteral("/") + QString(120, QChar(0x00e9));
        ASSERT_TRUE(QDir().mkpath(folder));
    }
    const QString path = folder + QStringLiteral("/r\u00e9sum\u00e9.txt");
    ASSERT_GT(path.size(), 1033);
    PreparePadDialog(0);
    typeName(path);
    ASSERT_NE(rt::GetSaveFileNameA(paddialog), 0);
    EXPECT_EQ(rt::UpToNul(paddialog.lpstrFile), path);
}

TEST_F(PadDialog, CancelLeavesTheRecordsPath) {
    PreparePadDialog(0);
    withNextFileDialog([](QFileDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(rt::GetOpenFileNameA(paddialog), 0);
    EXPECT_TRUE(rt::UpToNul(paddialog.lpstrFile).startsWith("Deskpad"));
}

} // namespace
} // namespace tavrin::qt::test
