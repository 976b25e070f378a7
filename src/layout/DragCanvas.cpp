#include "layout/DragCanvas.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/Files.h"
#include "layout/AreaRidisegno.h"
#include "layout/Modulo1.h"

using fw::Integer;
using fw::String;
using fw::ToInteger;

namespace {

using Wide = DragCanvas::Wide;

// Sums and differences of page positions are taken wide and brought back into
// range, so that positions from a hand-edited file cannot overflow.
Integer Satura(Wide v) {
    return ToInteger(static_cast<double>(v));
}

void Allarga(Campo::Sbordo& s, const Campo::Sbordo& altro) {
    s.sinistra = std::max(s.sinistra, altro.sinistra);
    s.sopra = std::max(s.sopra, altro.sopra);
    s.destra = std::max(s.destra, altro.destra);
    s.sotto = std::max(s.sotto, altro.sotto);
}

bool Uguali(const Campo::Sbordo& a, const Campo::Sbordo& b) {
    return a.sinistra == b.sinistra && a.sopra == b.sopra && a.destra == b.destra &&
           a.sotto == b.sotto;
}

// A bare file name: no folder part, and not a name for a folder itself.
bool NomeNudo(const String& nome) {
    return nome.find('/') == String::npos && nome.find('\0') == String::npos && nome != "." &&
           nome != "..";
}

// A rectangle of page pixels, both ends included.
struct Tratto {
    Wide left, top, right, bottom;
};

// The pieces of the span [a1, a2] that [b1, b2] lacks and the other way round
// (both spans ordered), on one row or column.
void DifferenzaSimmetrica(Wide a1, Wide a2, Wide b1, Wide b2,
                          std::vector<std::pair<Wide, Wide>>& out) {
    if (a1 == b1 && a2 == b2) return;
    if (std::max(a1, b1) > std::min(a2, b2)) {  // apart: both whole
        out.push_back({a1, a2});
        out.push_back({b1, b2});
        return;
    }
    if (a1 != b1) out.push_back({std::min(a1, b1), std::max(a1, b1) - 1});
    if (a2 != b2) out.push_back({std::min(a2, b2) + 1, std::max(a2, b2)});
}

// The band's lines of one direction (columns or rows): the one through the
// anchor, at ancora, only grows or shrinks; the one through the corner moves
// from vecchio to nuovo, and a short move repaints the strip between its old
// and new places in one go. The old lines span v, the new ones n.
void LineeDellaBanda(bool colonne, Wide ancora, Wide vecchio, Wide nuovo, std::pair<Wide, Wide> v,
                     std::pair<Wide, Wide> n, std::vector<Tratto>& tratti) {
    const Wide vicini = 16;
    auto tratto = [&](Wide p1, Wide p2, Wide s1, Wide s2) {
        tratti.push_back(colonne ? Tratto{p1, s1, p2, s2} : Tratto{s1, p1, s2, p2});
    };
    std::vector<std::pair<Wide, Wide>> pezzi;
    DifferenzaSimmetrica(v.first, v.second, n.first, n.second, pezzi);
    for (auto [a, b] : pezzi) tratto(ancora, ancora, a, b);
    if (vecchio == nuovo) {
        for (auto [a, b] : pezzi) tratto(nuovo, nuovo, a, b);
    } else if (std::abs(vecchio - nuovo) <= vicini) {
        tratto(std::min(vecchio, nuovo), std::max(vecchio, nuovo), std::min(v.first, n.first),
               std::max(v.second, n.second));
    } else {
        tratto(vecchio, vecchio, v.first, v.second);
        tratto(nuovo, nuovo, n.first, n.second);
    }
}

// What a band step changes on the page. The band is a one-pixel outline with
// nothing filled, between its anchor (ax, ay) and its far corner, both
// included; a pixel on both the old and the new outline keeps its colour, so
// only the rest of the two outlines is painted again, each line paired with
// its counterpart.
std::vector<Tratto> TrattiDellaBanda(Wide ax, Wide ay, Wide vx, Wide vy, Wide nx, Wide ny) {
    auto lungo = [](Wide a, Wide b) { return std::pair{std::min(a, b), std::max(a, b)}; };
    std::vector<Tratto> tratti;
    LineeDellaBanda(true, ax, vx, nx, lungo(ay, vy), lungo(ay, ny), tratti);
    LineeDellaBanda(false, ay, vy, ny, lungo(ax, vx), lungo(ax, nx), tratti);
    return tratti;
}

}  // namespace

DragCanvas::DragCanvas(fw::Window& parent, String name, Integer left, Integer top, Integer width,
                       Integer height)
    : fw::Canvas(parent, std::move(name), left, top, width, height) {}

void DragCanvas::PalettePopola() {
    if (palette) palette->Popola();
}
void DragCanvas::PalettePopolaDim() {
    if (palette) palette->PopolaDim();
}
void DragCanvas::PaletteReset() {
    if (palette) palette->Reset();
}

// --- Events -----------------------------------------------------------------

void DragCanvas::Open() {
    modificato = false;
    for (int i = 0; i < 3; ++i) {
        auto s = fw::New<Sezione>();
        if (!s) Modulo1::MemoriaEsaurita();
        vSezioni.push_back(s);
    }
    vSezioni[0]->posizY = kPosizioniSezioni[0];
    vSezioni[0]->etichetta->Text = "T";
    vSezioni[1]->posizY = kPosizioniSezioni[1];
    vSezioni[1]->etichetta->Text = "D";
    vSezioni[2]->posizY = kPosizioniSezioni[2];
    vSezioni[2]->etichetta->Text = "P";
    rettSelez = fw::New<StrumSelez>();
    if (!rettSelez) Modulo1::MemoriaEsaurita();
}

void DragCanvas::Paint(fw::Graphics& g) {
    PreparaBuffer();
    RidisegnaOggetti(0, 0, Width(), Height());
    g.DrawPicture(*buffer, 0, 0);
    // What fields drew outside their extents before is gone from the screen.
    sbordo_ = sbordoDisegnato_;
}

bool DragCanvas::MouseDown(Integer x, Integer y) {
    bool risultato = true;
    ultimoX = x;
    ultimoY = y;
    sezioneTrascinata = nullptr;

    for (const auto& s : vSezioni) {
        if (s->ClicSezione(x, y)) {
            sezioneTrascinata = s;
            break;
        }
    }
    if (sezioneTrascinata && vSezioni.size() == 3) {
        Sezione& s0 = *vSezioni[0];
        Sezione& s1 = *vSezioni[1];
        Sezione& s2 = *vSezioni[2];
        s0.limiteSup = 6;
        s0.limiteInf = Satura(Wide{s1.posizY} - 6);
        s1.limiteSup = Satura(Wide{s0.posizY} + 6);
        s1.limiteInf = Satura(Wide{s2.posizY} - 6);
        s2.limiteSup = Satura(Wide{s1.posizY} + 6);
        s2.limiteInf = Satura(Wide{Height()} - 1);
        return true;
    }

    campoCliccato = nullptr;
    for (std::size_t i = vCampi.size(); i-- > 0;) {
        std::shared_ptr<Campo> c = vCampi[i];
        if (!c->ClicCampo(x, y)) continue;
        campoCliccato = c;
        c->ClicManiglia(x, y);
        if (c->selezionato) {
            if (fw::Keyboard.ShiftKey() && !c->ridimensiona) {
                SelezionaCampo(c, false);
                risultato = false;
            }
        } else {
            if (!fw::Keyboard.ShiftKey() || c->ridimensiona) SelezionaTutti(false);
            SelezionaCampo(c, true);
        }
        break;
    }

    if (!campoCliccato) {
        SelezionaTutti(false);
        PaletteReset();
        rettSelez->tx = x;
        rettSelez->ty = y;
    }
    return risultato;
}

void DragCanvas::MouseDrag(Integer x, Integer y) {
    if (x == ultimoX && y == ultimoY) return;
    AreaRidisegno area;

    if (sezioneTrascinata) {
        // The line follows the pointer's movement, not its position, and stops at
        // its limits.
        Sezione& s = *sezioneTrascinata;
        modificato = true;
        Wide vecchia = s.posizY;
        Wide nuova = y < s.limiteInf ? vecchia + (Wide{y} - ultimoY) : Wide{s.limiteInf};
        if (y < ultimoY) {
            nuova = std::max<Wide>(nuova, s.limiteSup);
        } else {
            nuova = std::min<Wide>(nuova, s.limiteInf);
        }
        s.posizY = Satura(nuova);
        nuova = s.posizY;
        Wide alto = std::min(vecchia, nuova) - 16;
        area.Aggiungi(0, alto, Width(), std::max(vecchia, nuova) - alto + 1);
    } else if (campoCliccato && campoCliccato->ridimensiona) {
        Campo& c = *campoCliccato;
        modificato = true;
        Wide w = std::max<Wide>(Wide{x} - c.tx, 6);
        Wide h = std::max<Wide>(Wide{y} - c.ty, 6);
        Wide vecchiaW = ToInteger(c.riquadro->Width);
        Wide vecchiaH = ToInteger(c.riquadro->Height);
        c.riquadro->Width = static_cast<double>(w);
        c.riquadro->Height = static_cast<double>(h);
        PalettePopolaDim();
        // The old frame's far edge is one pixel past its size, and the extent
        // already includes it; the rectangle covers both, wherever tx lies.
        area.Aggiungi(c.tx, c.ty, std::max<Wide>(vecchiaW + 1, c.Larghezza()),
                      std::max<Wide>(vecchiaH + 1, c.Altezza()));
    } else if (campoCliccato) {
        modificato = true;
        Wide dx = Wide{x} - ultimoX, dy = Wide{y} - ultimoY;
        for (const auto& c : vCampi) {
            if (!c->selezionato) continue;
            area.Aggiungi(c->tx, c->ty, c->Larghezza(), c->Altezza());
            c->tx = Satura(Wide{c->tx} + dx);
            c->ty = Satura(Wide{c->ty} + dy);
            area.Aggiungi(*c);
        }
        PalettePopolaDim();
    } else {
        // Only the outline changes: its old and new pixels are painted again,
        // not the rectangle around both bands.
        StrumSelez& b = *rettSelez;
        b.Width = static_cast<double>(Wide{x} - b.tx);
        b.Height = static_cast<double>(Wide{y} - b.ty);
        for (const Tratto& t : TrattiDellaBanda(b.tx, b.ty, ultimoX, ultimoY, x, y)) {
            AreaRidisegno tratto;
            tratto.Aggiungi(t.left, t.top, t.right - t.left + 1, t.bottom - t.top + 1);
            tratto.Ridisegna(*this);
        }
        ultimoX = x;
        ultimoY = y;
        return;
    }

    area.Ridisegna(*this);
    ultimoX = x;
    ultimoY = y;
}

void DragCanvas::MouseUp(Integer, Integer) {
    StrumSelez& b = *rettSelez;
    if (b.tx < 0 && b.ty < 0) return;
    b.Aggiusta();
    for (const auto& c : vCampi) c->selezionato = b.NelRettangolo(*c);
    Integer x = b.tx, y = b.ty;
    Integer w = ToInteger(b.Width + 2), h = ToInteger(b.Height + 2);
    b.Reset();
    RidisegnaArea(x, y, w, h);
    PalettePopola();
}

// --- Drawing ----------------------------------------------------------------

void DragCanvas::RidisegnaOggetti(Integer x, Integer y, Integer width, Integer height) {
    fw::Graphics& g = buffer->Graphics();
    g.ClearRect(x, y, width, height);
    if (auto sfondo = Backdrop()) g.DrawPicture(*sfondo, x, y, width, height, x, y, width, height);
    for (const auto& s : vSezioni) {
        if (y <= s->posizY && Wide{y} + height >= Wide{s->posizY} - 14) s->Disegna(g);
    }
    // A field is drawn when its extent, widened by what fields draw beyond
    // theirs, touches the rectangle.
    const Campo::Sbordo m = sbordo_;
    Campo::Sbordo disegnato;
    for (const auto& c : vCampi) {
        if (Wide{x} - m.destra <= Wide{c->tx} + c->Larghezza() &&
            Wide{x} + width + m.sinistra >= c->tx &&
            Wide{y} - m.sotto <= Wide{c->ty} + c->Altezza() &&
            Wide{y} + height + m.sopra >= c->ty) {
            c->Disegna(g);
            Allarga(disegnato, c->Sbordi());
        }
    }
    sbordoDisegnato_ = disegnato;
    Allarga(sbordo_, disegnato);
    if (rettSelez) rettSelez->Disegna(g);  // none before the canvas's Open
}

void DragCanvas::PreparaBuffer() {
    if (!buffer || buffer->Width() != Width() || buffer->Height() != Height()) {
        buffer = fw::NewPicture(Width(), Height(), 32);
    }
    if (!buffer) {
        vCampi.clear();
        Modulo1::MemoriaEsaurita();
    }
}

void DragCanvas::RidisegnaArea(Integer x, Integer y, Integer width, Integer height) {
    PreparaBuffer();
    if (width < 0 || height < 0) {
        // No rectangle: nothing shows.
        RidisegnaOggetti(x, y, width, height);
        return;
    }
    // Also what the fields near the rectangle draw outside their extents, now
    // and before, as far as the canvas goes. Drawing them may show that they
    // reach further (a label just measured anew): then once more, wider.
    Wide sinistra, alto, destra, basso;
    Campo::Sbordo usato;
    do {
        usato = sbordo_;
        sinistra = x, alto = y, destra = Wide{x} + width, basso = Wide{y} + height;
        if (sinistra > 0) sinistra = std::max<Wide>(sinistra - usato.sinistra, 0);
        if (alto > 0) alto = std::max<Wide>(alto - usato.sopra, 0);
        if (destra < Width()) destra = std::min<Wide>(destra + usato.destra, Width());
        if (basso < Height()) basso = std::min<Wide>(basso + usato.sotto, Height());
        RidisegnaOggetti(static_cast<Integer>(sinistra), static_cast<Integer>(alto),
                         Satura(destra - sinistra), Satura(basso - alto));
    } while (!Uguali(usato, sbordo_));
    Graphics().DrawPicture(*buffer, static_cast<double>(sinistra), static_cast<double>(alto),
                           static_cast<double>(destra - sinistra),
                           static_cast<double>(basso - alto), static_cast<double>(sinistra),
                           static_cast<double>(alto), static_cast<double>(destra - sinistra),
                           static_cast<double>(basso - alto));
    if (sinistra <= 0 && alto <= 0 && destra >= Width() && basso >= Height()) {
        sbordo_ = sbordoDisegnato_;
    }
}

// --- Fields -----------------------------------------------------------------

void DragCanvas::SelezionaCampo(std::shared_ptr<Campo> campo, bool selezionato) {
    for (std::size_t i = vCampi.size(); i-- > 0;) {
        if (vCampi[i] != campo) continue;
        if (selezionato) {
            campo->selezionato = true;
            vCampi.erase(vCampi.begin() + static_cast<std::ptrdiff_t>(i));
            vCampi.push_back(campo);
        } else {
            campo->selezionato = false;
        }
        break;
    }
    RidisegnaArea(campo->tx, campo->ty, campo->Larghezza(), campo->Altezza());
    PalettePopola();
}

std::shared_ptr<Campo> DragCanvas::AggiungiCampo() {
    return AggiungiCampo(CercaCampo(0));
}

std::shared_ptr<Campo> DragCanvas::AggiungiCampo(Integer testiFissi) {
    auto c = fw::New<Campo>();
    if (!c) Modulo1::MemoriaEsaurita();
    Modulo1::AvvisaLimiteTestiFissi(testiFissi);
    vCampi.push_back(c);
    modificato = true;
    return c;
}

void DragCanvas::EliminaCampi() {
    if (!Modulo1::Conferma("Vuoi eliminare gli oggetti selezionati?", "Si", "No")) return;
    AreaRidisegno area;
    for (std::size_t i = vCampi.size(); i-- > 0;) {
        const std::shared_ptr<Campo> c = vCampi[i];
        if (!c->selezionato) continue;
        area.Aggiungi(*c);
        vCampi.erase(vCampi.begin() + static_cast<std::ptrdiff_t>(i));
        modificato = true;
    }
    area.Ridisegna(*this);
    PaletteReset();
}

void DragCanvas::ApriFileSfondo(const String& nome) {
    // A name from a file is looked up in the program's folder only: one with a
    // folder part ("../x.png", "/etc/shadow") is not there, and nothing outside
    // that folder is read because a layout names it.
    const bool fuori = !nome.empty() && !NomeNudo(nome);
    std::shared_ptr<fw::FolderItem> f;
    if (nome.empty()) {
        f = fw::GetOpenFolderItem("");
    } else if (!fuori) {
        f = fw::GetFolderItem(nome, 0);
    }
    if (!f && !fuori) return;
    ResetSfondo();
    if (fuori || !f->Exists()) {
        fw::MsgBox("Il file del modulo grafico di sfondo " + Modulo1::Abbrevia(nome) +
                   " non è stato trovato.");
        // The layout keeps the name it was given, so that saving it does not
        // quietly change the reference to a picture looked for elsewhere.
        if (fuori) nomeFileSfondo = nome;
        return;
    }
    SetBackdrop(f->OpenAsPicture());
    nomeFileSfondo = f->Name();
    modificato = true;
}

void DragCanvas::SelezionaTutti(bool selezionato) {
    // The fields whose handle comes or goes are repainted, not drawn again
    // over what is there: a label's anti-aliased edges drawn over themselves
    // darken at every click, and a field drawn again comes over later ones.
    AreaRidisegno area;
    for (const auto& c : vCampi) {
        if (c->selezionato == selezionato) continue;
        c->selezionato = selezionato;
        area.Aggiungi(*c);
    }
    area.Ridisegna(*this);
    if (selezionato) {
        PalettePopola();
    } else {
        PaletteReset();
    }
}

void DragCanvas::DuplicaCampi() {
    // Sources and copies are not drawn one by one over what is there: a source
    // drawn after the copies of later fields would cover them, and labels drawn
    // over themselves darken. The area they touch is repainted once, in list
    // order.
    AreaRidisegno area;
    for (std::size_t i = vCampi.size(); i-- > 0;) {
        const std::shared_ptr<Campo> sorgente = vCampi[i];
        if (!sorgente->selezionato) continue;
        sorgente->selezionato = false;
        area.Aggiungi(*sorgente);
        std::shared_ptr<Campo> copia = AggiungiCampo();
        copia->tx = Satura(Wide{sorgente->tx} + 14);
        copia->ty = Satura(Wide{sorgente->ty} + 14);
        copia->iFont = sorgente->iFont;
        copia->dimFont = sorgente->dimFont;
        copia->stileG = sorgente->stileG;
        copia->stileC = sorgente->stileC;
        copia->stileS = sorgente->stileS;
        copia->iCampo = sorgente->iCampo;
        copia->testoFisso = sorgente->testoFisso;
        copia->pagina = sorgente->pagina;
        copia->ridimensiona = false;
        copia->selezionato = true;
        copia->riquadro->Width = sorgente->riquadro->Width;
        copia->riquadro->Height = sorgente->riquadro->Height;
        copia->coloreEtich = sorgente->coloreEtich;
        copia->etichetta = sorgente->etichetta;
        copia->DimensEtichetta();
        area.Aggiungi(*copia);
        modificato = true;
    }
    area.Ridisegna(*this);
    PalettePopola();
}

void DragCanvas::ResetSfondo() {
    Graphics().ClearRect(0, 0, Width(), Height());
    nomeFileSfondo = "";
    SetBackdrop(nullptr);
}

Integer DragCanvas::CercaCampo(Integer riga) const {
    return static_cast<Integer>(std::count_if(vCampi.begin(), vCampi.end(),
                                              [riga](const auto& c) { return c->iCampo == riga; }));
}
