#include "app/qt/FrmAmain.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusFrame>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

#include <map>
#include <string_view>

#include "app/Disposizione.h"
#include "app/qt/ElencoCartelle.h"
#include "app/qt/ElencoFile.h"
#include "app/qt/LetturaCartelle.h"
#include "app/qt/OsservatoreCartella.h"
#include "printing/ScelteOpzioni.h"
#include "printing/ServizioMessaggi.h"
#include "systems/Testi.h"

namespace elencario {

namespace {

const QColor kGrigio(192, 192, 192);
const QColor kGrigioChiaro(224, 224, 224);
const QColor kVerdeAcqua(53, 134, 132);
const QColor kArancioScuro(192, 64, 0);
const QColor kBluFuoco(0, 0, 160);

// Placed as the layout table puts it, in pixels at 96 DPI.
template <class W>
W* Posiziona(W* w, const SchedaControllo& c) {
    const QString nome = QString::fromLatin1(c.nome);
    w->setObjectName(nome.section('#', 0, 0));
    if (nome.contains('#')) w->setProperty("Index", nome.section('#', 1).toInt());
    w->setGeometry(Pixel(c.left, 96), Pixel(c.top, 96), Pixel(c.width, 96), Pixel(c.height, 96));
    return w;
}

QFont Carattere(qreal punti) {
    QFont f(QString::fromUtf8(kCarattereFinestra.data(),
                              static_cast<qsizetype>(kCarattereFinestra.size())));
    f.setPointSizeF(punti);
    f.setWeight(QFont::Normal);
    return f;
}

void Colore(QWidget* w, QPalette::ColorRole ruolo, const QColor& colore) {
    QPalette p = w->palette();
    p.setColor(ruolo, colore);
    w->setPalette(p);
}

Qt::Alignment Allineato(Allineamento a) {
    return a == Allineamento::Centro   ? Qt::AlignHCenter
           : a == Allineamento::Destra ? Qt::AlignRight
                                       : Qt::AlignLeft;
}

// A frame without caption: an etched line around its children on the frame's own colour.
QFrame* Riquadro(QWidget* contenitore) {
    auto* cornice = new QFrame(contenitore);
    cornice->setFrameStyle(QFrame::Box | QFrame::Sunken);
    cornice->setAutoFillBackground(true);
    return cornice;
}

QComboBox* Opzione(QWidget* contenitore) {
    auto* cmb = new QComboBox(contenitore);
    cmb->setEditable(true);
    cmb->setInsertPolicy(QComboBox::NoInsert);  // typed text is the value, not a new entry
    cmb->setCompleter(nullptr);  // completing "1" to "10" would print what was not typed
    Colore(cmb, QPalette::Base, kGrigioChiaro);
    Colore(cmb, QPalette::Button, kGrigioChiaro);
    return cmb;
}

// Appends the choices in order and shows the one the option starts on.
void RiempiOpzione(QComboBox* cmb, const ScelteOpzione& scelte) {
    for (const std::string_view voce : scelte.voci) {
        cmb->addItem(QString::fromUtf8(voce.data(), static_cast<qsizetype>(voce.size())));
    }
    cmb->setCurrentIndex(static_cast<int>(scelte.iniziale));
    cmb->setCurrentText(cmb->itemText(static_cast<int>(scelte.iniziale)));
}

}  // namespace

void ScriviAdattato(QLabel& etichetta, const QString& testo, const QFont& carattere) {
    const QRect riquadro = etichetta.contentsRect();
    QFont f = carattere;
    f.setPointSizeF(GrandezzaAdattata(
        carattere.pointSizeF(), riquadro.width(), riquadro.height(), [&](double punti) {
            QFont prova = carattere;
            prova.setPointSizeF(punti);
            const QFontMetrics misure(prova);
            return std::pair(misure.horizontalAdvance(testo), misure.height());
        }));
    etichetta.setFont(f);
    etichetta.setText(testo);
}

std::unique_ptr<FrmAmain> FrmAmain::Apri(const std::string& cartellaEseguibile,
                                         ServizioMessaggi& messaggi,
                                         FabbricaStampante fabbricaStampante) {
    std::unique_ptr<FrmAmain> finestra(new FrmAmain(messaggi, std::move(fabbricaStampante)));
    if (!finestra->Form_Load(cartellaEseguibile)) return nullptr;
    return finestra;
}

FrmAmain::FrmAmain(ServizioMessaggi& messaggi, FabbricaStampante fabbricaStampante)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      regole_(messaggi, std::move(fabbricaStampante)) {
    setObjectName(QStringLiteral("frmAmain"));
    setWindowTitle(QString::fromUtf8(testi::kCaptionFinestra));
    setWindowIcon(QIcon(QStringLiteral(":/immagini/stampante.png")));
    setFixedSize(Pixel(kLarghezzaFinestra, 96), Pixel(kAltezzaFinestra, 96));
    setFont(Carattere(kPuntiFinestra));
    setAutoFillBackground(true);
    Colore(this, QPalette::Window, kGrigio);
    Colore(this, QPalette::Button, kGrigio);

    CreaControlli();
    MostraSistemaCaricato(regole_.Mostrato());

    cornice_ = new QFocusFrame(this);
    Colore(cornice_, QPalette::WindowText, kBluFuoco);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* ora) {
        // A drop-down's text field has the focus on behalf of the drop-down.
        while (ora != nullptr && ora->parentWidget() != nullptr &&
               qobject_cast<QComboBox*>(ora->parentWidget()) != nullptr) {
            ora = ora->parentWidget();
        }
        cornice_->setWidget(ora != nullptr && ora->window() == this ? ora : nullptr);
    });

    osservatore_ = new OsservatoreCartella(this);
    connect(osservatore_, &OsservatoreCartella::cambiata, this, &FrmAmain::SeguiDisco);
    connect(Dir1_, &ElencoCartelle::cartellaCambiata, this, &FrmAmain::Dir1_Change);
    connect(Dir1_, &ElencoCartelle::cartellaNonAccessibile, this,
            [this] { regole_.CartellaNonAccessibile(); });
    connect(File1_, &ElencoFile::fileScelto, this, &FrmAmain::File1_Click);
    connect(cmdElencario_, &QPushButton::clicked, this, &FrmAmain::cmdElencario_Click);
}

FrmAmain::~FrmAmain() {
    // The children go after this body; focus moving among them must not reach the ring.
    disconnect(qApp, nullptr, this, nullptr);
}

void FrmAmain::CreaControlli() {
    // The table lists containers after what they hold: read from the end, each container is
    // made before its children.
    std::map<std::string_view, QWidget*> fatti;
    const auto tabella = Controlli();
    for (auto c = tabella.rbegin(); c != tabella.rend(); ++c) {
        QWidget* dentro = c->contenitore ? fatti.at(c->contenitore) : this;
        const QString testo = QString::fromUtf8(c->testo ? c->testo : "");
        QWidget* w = nullptr;
        switch (c->tipo) {
            case Tipo::Riquadro:
                w = Riquadro(dentro);
                break;
            case Tipo::Etichetta:
            case Tipo::Contatore: {
                auto* etichetta = new QLabel(testo, dentro);
                etichetta->setAlignment(Allineato(c->allineamento) | Qt::AlignTop);
                w = etichetta;
                break;
            }
            case Tipo::Opzione:
                w = Opzione(dentro);
                break;
            case Tipo::Casella: {
                auto* chk = new QCheckBox(testo, dentro);
                chk->setAutoFillBackground(true);
                w = chk;
                break;
            }
            case Tipo::Pulsante:
                w = cmdElencario_ = new QPushButton(testo, dentro);
                break;
            case Tipo::Cartelle:
                w = Dir1_ = new ElencoCartelle(dentro);
                break;
            case Tipo::File:
                w = File1_ = new ElencoFile(dentro);
                break;
            case Tipo::Immagine: {
                auto* img = new QLabel(dentro);
                img->setPixmap(QPixmap(QStringLiteral(":/immagini/link.png")));
                w = img;
                break;
            }
        }
        Posiziona(w, *c);
        if (c->punti != kPuntiFinestra) w->setFont(Carattere(c->punti));
        fatti[c->nome] = w;
    }
    const auto opzione = [&](const char* nome) { return static_cast<QComboBox*>(fatti.at(nome)); };
    cmbCarattere_ = opzione("cmbCarattere");
    cmbGrandezza_ = opzione("cmbGrandezza");
    cmbColonneRiga_ = opzione("cmbColonneRiga");
    cmbMargine_ = opzione("cmbMargine");
    chkNomeSistema_ = static_cast<QCheckBox*>(fatti.at("chkNomeSistema"));
    chkNumeriInGioco_ = static_cast<QCheckBox*>(fatti.at("chkNumeriInGioco"));
    lblCatturate_ = static_cast<QLabel*>(fatti.at("lblCatturate"));

    Colore(Dir1_, QPalette::Text, kVerdeAcqua);
    Colore(File1_, QPalette::Text, kVerdeAcqua);
    lblCatturate_->setFrameStyle(QFrame::Box | QFrame::Plain);
    lblCatturate_->setAutoFillBackground(true);
    Colore(lblCatturate_, QPalette::Window, QApplication::palette().color(QPalette::Window));
    Colore(lblCatturate_, QPalette::WindowText, kArancioScuro);
    cmdElencario_->setAutoDefault(true);  // Enter presses it while it has the focus

    // The table's order is the keyboard order.
    QWidget* prima = nullptr;
    for (const SchedaControllo& c : tabella) {
        if (!PrendeFuoco(c.tipo)) continue;
        if (prima != nullptr) setTabOrder(prima, fatti.at(c.nome));
        prima = fatti.at(c.nome);
    }
    File1_->setFocus();
}

bool FrmAmain::Form_Load(const std::string& cartellaEseguibile) {
    if (!regole_.Avvia(cartellaEseguibile)) return false;
    // File1 follows through Dir1's change notification, raised before this returns.
    if (!Dir1_->ImpostaCartella(regole_.CartellaIniziale())) regole_.CartellaNonAccessibile();
    File1_->ImpostaModello("*.TXT");

    RiempiOpzione(cmbCarattere_, kSceltaCarattere);
    RiempiOpzione(cmbGrandezza_, kSceltaGrandezza);
    RiempiOpzione(cmbColonneRiga_, kSceltaColonneRiga);
    RiempiOpzione(cmbMargine_, kSceltaMargine);
    return true;
}

void FrmAmain::CentraSulloSchermo() {
    // move() places the frame's corner, so the frame's size is what is centred.
    const QRect schermo = screen()->availableGeometry();
    corniceCentrata_ = frameGeometry().size();
    move(schermo.center() - QPoint(corniceCentrata_.width() / 2, corniceCentrata_.height() / 2));
}

void FrmAmain::moveEvent(QMoveEvent* evento) {
    QWidget::moveEvent(evento);
    if (corniceCentrata_.isValid() && frameGeometry().size() != corniceCentrata_) {
        CentraSulloSchermo();
    }
}

void FrmAmain::Dir1_Change() {
    File1_->ImpostaCartella(Dir1_->Cartella());
    osservatore_->Osserva(Dir1_->Cartella());
    cartellaPersa_ = false;
}

void FrmAmain::SeguiDisco() {
    if (!Dir1_->Aggiorna()) {
        // Reported once, like a folder that cannot be opened; the lists stay as they were.
        if (!cartellaPersa_) {
            cartellaPersa_ = true;
            regole_.CartellaNonAccessibile();
        }
        return;
    }
    if (cartellaPersa_) {  // back again: its old watch went with it
        cartellaPersa_ = false;
        osservatore_->Osserva(Dir1_->Cartella());
    }
    File1_->Aggiorna();
}

void FrmAmain::File1_Click() {
    regole_.SceltoFile(File1_->Cartella(), File1_->NomeSelezionato(),
                       [this](const SistemaMostrato& sistema) {
                           MostraSistemaCaricato(sistema);
                           lblCatturate_->repaint();
                       });
}

void FrmAmain::MostraSistemaCaricato(const SistemaMostrato& sistema) {
    ScriviAdattato(*lblCatturate_, QString::fromStdString(sistema.contatore),
                   Carattere(Scheda("lblCatturate")->punti));
    lblCatturate_->setToolTip(sistema.evidenziato.empty() ? QString::fromUtf8(sistema.suggerimento)
                                                          : TestoMostrato(sistema.evidenziato));
    File1_->Evidenzia(sistema.evidenziato);
}

void FrmAmain::cmdElencario_Click() {
    const OpzioniStampa opzioni{cmbCarattere_->currentText().toStdString(),
                                cmbGrandezza_->currentText().toStdString(),
                                cmbColonneRiga_->currentText().toStdString(),
                                cmbMargine_->currentText().toStdString(),
                                chkNomeSistema_->isChecked(),
                                chkNumeriInGioco_->isChecked()};
    regole_.Stampa(opzioni);
}

void FrmAmain::closeEvent(QCloseEvent* evento) {
    if (regole_.ConfermaUscita()) {
        evento->accept();
    } else {
        evento->ignore();
    }
}

}  // namespace elencario
