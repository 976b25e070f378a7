// The application object: its run and its Open, and the quit that asks every
// window first.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QThread>
#include <vector>

#include "framework/Application.h"
#include "framework/Drawing.h"
#include "framework/Resources.h"
#include "framework/Testing.h"
#include "framework/Window.h"

using namespace fw;
namespace seam = fw::testing;

namespace {

class AppProva : public Application {
  public:
    int aperture = 0;
    int codice = -1;  // the Quit that Open asks for; none when negative
    bool nelCiclo = false;
    void Open() override {
        ++aperture;
        nelCiclo = QThread::currentThread()->loopLevel() > 0;
        if (codice >= 0) Quit(codice);
    }
};

class FinestraProva : public Window {
  public:
    FinestraProva(Integer frame, std::vector<String>& chiesti, String nome)
        : Window(frame), chiesti_(chiesti), nome_(std::move(nome)) {
        SetSize(200, 100);
        Show();
    }
    bool rifiuta = false;
    bool CancelClose() override {
        chiesti_.push_back(nome_);
        return rifiuta;
    }

  private:
    std::vector<String>& chiesti_;
    String nome_;
};

}  // namespace

TEST(Applicazione, UnSoloOggettoRegistrato) {
    EXPECT_EQ(Application::Instance(), nullptr);
    {
        AppProva a;
        AppProva b;
        EXPECT_EQ(Application::Instance(), &a);
    }
    EXPECT_EQ(Application::Instance(), nullptr);
}

TEST(Applicazione, RunSollevaOpenUnaVoltaNelCicloEResituisceIlCodiceDelQuit) {
    AppProva app;
    app.codice = 3;
    EXPECT_EQ(app.Run(), 3);
    EXPECT_EQ(app.aperture, 1);
    EXPECT_TRUE(app.nelCiclo);
}

TEST(Applicazione, UnQuitChiestoPrimaDelCicloNonLoFaPartire) {
    AppProva app;
    Quit(2);
    EXPECT_EQ(app.Run(), 2);
    EXPECT_EQ(app.aperture, 0);
}

// The document window is asked first: when it refuses, nothing is closed.
TEST(Applicazione, QuitApplicationChiedeOgniFinestraEUnRifiutoLaFerma) {
    std::vector<String> chiesti;
    FinestraProva palette(3, chiesti, "palette");
    FinestraProva principale(0, chiesti, "principale");
    FinestraProva info(1, chiesti, "info");
    principale.rifiuta = true;
    QuitApplication();
    EXPECT_EQ(chiesti, std::vector<String>{"principale"});
    EXPECT_FALSE(seam::QuitCode().has_value());
    EXPECT_TRUE(palette.Visible() && principale.Visible() && info.Visible());

    chiesti.clear();
    principale.rifiuta = false;
    QuitApplication();
    ASSERT_EQ(chiesti.size(), 3u);
    EXPECT_EQ(chiesti[0], "principale");
    EXPECT_EQ(seam::QuitCode(), 0);
    EXPECT_FALSE(palette.Visible() || principale.Visible() || info.Visible());

    // Windows already closed are not asked again.
    chiesti.clear();
    QuitApplication();
    EXPECT_TRUE(chiesti.empty());
}

// The toolkit's own dialogs and buttons speak Italian with the program, whatever
// the user's locale.
TEST(Applicazione, IDialoghiDelToolkitInItaliano) {
    AppProva app;
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Annulla");
    EXPECT_EQ(QCoreApplication::translate("QColorDialog", "&Basic colors"), "Colori di &base");
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), "Cerca in:");
}

TEST(Risorse, UnaFiguraCheNonCeENulla) {
    EXPECT_EQ(GetPicture(-1), nullptr);
    EXPECT_EQ(GetPicture(999999), nullptr);
}

// The icon keeps its size in page pixels and is as fine as the screen.
TEST(Risorse, LaFiguraHaLaDensitaDelloSchermo) {
    if (!QFile::exists(":/immagini/170.png")) GTEST_SKIP() << "pictures not built in";
    auto icona = GetPicture(170);
    ASSERT_NE(icona, nullptr);
    EXPECT_EQ(icona->Width(), 48);
    EXPECT_EQ(icona->Height(), 38);
    const double dpr = qApp->devicePixelRatio();
    EXPECT_EQ(icona->Image().devicePixelRatio(), dpr);
    EXPECT_EQ(icona->Image().width(), qRound(48 * dpr));
}
