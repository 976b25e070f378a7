#include "layout/EditFieldNum.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "framework/Window.h"

namespace {

class Finestra : public fw::Window {
  public:
    Finestra() : fw::Window(0) { SetSize(300, 100); }
    EditFieldNum efX{*this, "efX", 10, 10, 80, 22};
    fw::EditField efAltro{*this, "efAltro", 10, 40, 80, 22};
};

class EditFieldNumTest : public ::testing::Test {
  protected:
    void SetUp() override {
        f.efX.onLostFocus = [this] { ++perdite; };
        f.efX.onTextChange = [this] { ++modifiche; };
        f.Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(f.Widget()));
        QApplication::setActiveWindow(f.Widget());
        f.efX.SetFocus();
        ASSERT_TRUE(box()->hasFocus());
    }
    QLineEdit* box() { return static_cast<QLineEdit*>(f.efX.Widget()); }

    Finestra f;
    int perdite = 0;
    int modifiche = 0;
};

TEST_F(EditFieldNumTest, LasciaPassareSoloCifreETastiDiModifica) {
    QTest::keyClicks(box(), "12");
    EXPECT_EQ(f.efX.Text(), "12");
    QTest::keyClick(box(), Qt::Key_Backspace);
    EXPECT_EQ(f.efX.Text(), "1");
    for (const char* rifiutato : {"-", ".", ",", "a", "Z", " ", "+"}) {
        QTest::keyClicks(box(), rifiutato);
        EXPECT_EQ(f.efX.Text(), "1") << rifiutato;
    }
    for (Qt::Key k : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QTest::keyClick(box(), k);
        EXPECT_EQ(f.efX.Text(), "1");
    }
    // A non-ASCII key such as the euro sign is dropped too.
    QTest::sendKeyEvent(QTest::KeyAction::Click, box(), Qt::Key_unknown, QString::fromUtf8("€"),
                        Qt::NoModifier);
    EXPECT_EQ(f.efX.Text(), "1");
    EXPECT_EQ(modifiche, 3);  // "1", "12", "1": the dropped keys changed nothing
}

TEST_F(EditFieldNumTest, FrecceECancellaSpostanoEModificano) {
    QTest::keyClicks(box(), "345");
    QTest::keyClick(box(), Qt::Key_Left);
    QTest::keyClick(box(), Qt::Key_Left);
    EXPECT_EQ(box()->cursorPosition(), 1);
    QTest::keyClick(box(), Qt::Key_Delete);
    EXPECT_EQ(f.efX.Text(), "35");
    QTest::keyClick(box(), Qt::Key_Right);
    EXPECT_EQ(box()->cursorPosition(), 2);
    QTest::keyClicks(box(), "9");
    EXPECT_EQ(f.efX.Text(), "359");
}

TEST_F(EditFieldNumTest, TabPassaAlControlloSuccessivoESollevaLostFocus) {
    QTest::keyClicks(box(), "7");
    QTest::keyClick(box(), Qt::Key_Tab);
    EXPECT_FALSE(box()->hasFocus());
    EXPECT_TRUE(f.efAltro.Widget()->hasFocus());
    EXPECT_EQ(perdite, 1);
    EXPECT_EQ(f.efX.Text(), "7");
}

TEST_F(EditFieldNumTest, IlTestoImpostatoDalProgrammaNonEFiltrato) {
    f.efX.SetText("-12.5");
    EXPECT_EQ(f.efX.Text(), "-12.5");
    EXPECT_EQ(modifiche, 1);
}

}  // namespace
