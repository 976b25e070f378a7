// The four pictures are compiled into the program and have the sizes the windows
// place them at, with a sharp double-size version of each.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QString>

#include "framework/Drawing.h"
#include "framework/Resources.h"

namespace {

struct Immagine {
    int id;
    int larghezza, altezza;
    bool trasparente;  // the icons show what is under them in their corners
};

class ImmaginiTest : public ::testing::TestWithParam<Immagine> {};

TEST_P(ImmaginiTest, CompilateNelProgrammaAllaLoroMisura) {
    const Immagine im = GetParam();
    const QString nome = QStringLiteral(":/immagini/%1").arg(im.id);
    ASSERT_TRUE(QFile::exists(nome + ".png")) << im.id;

    QImage una(nome + ".png");
    ASSERT_FALSE(una.isNull());
    EXPECT_EQ(una.width(), im.larghezza);
    EXPECT_EQ(una.height(), im.altezza);
    EXPECT_EQ(qAlpha(una.pixel(una.width() - 1, 2)) == 0, im.trasparente);

    QImage doppia(nome + "@2x.png");
    ASSERT_FALSE(doppia.isNull());
    EXPECT_EQ(doppia.width(), 2 * im.larghezza);
    EXPECT_EQ(doppia.height(), 2 * im.altezza);

    // Through the framework, at any screen density, in page pixels.
    auto p = fw::GetPicture(im.id);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Width(), im.larghezza);
    EXPECT_EQ(p->Height(), im.altezza);
}

INSTANTIATE_TEST_SUITE_P(Quattro, ImmaginiTest,
                         ::testing::Values(Immagine{169, 396, 158, false},
                                           Immagine{170, 48, 38, true}, Immagine{172, 14, 14, true},
                                           Immagine{173, 14, 14, true}));

}  // namespace
