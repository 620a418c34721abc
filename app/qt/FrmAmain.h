#pragma once

// The program's only window.
//
// Apri creates the window and runs its start-up: the systems folder (beside the executable, or the
// installed one; see CercaPercorsoSistemi), the folder list Dir1 on it (its change makes the file
// list File1 follow), the "*.TXT" pattern and the four print options. Then everything happens in
// four handlers that hand their events to the window's RegoleFinestra, which decides for the
// Windows window too: a file chosen in File1 is loaded and counted in lblCatturate, and File1
// highlights the loaded system's name whatever the load's outcome; the print button prints the
// loaded system with the options as the widgets hold them; a close request asks the exit question.
// Message boxes and the printer come in through seams, so the tests script the answers and record
// what is printed. The two lists follow the disk while the window is open, without ever loading
// anything.

#include <QSize>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "app/RegoleFinestra.h"

class QCheckBox;
class QComboBox;
class QFocusFrame;
class QFont;
class QLabel;
class QPushButton;

namespace elencario {

class ElencoCartelle;
class ElencoFile;
class OsservatoreCartella;

// Shows `testo` in `etichetta` in `carattere`, made smaller as far as needed for the text to
// fit the label's box whole (GrandezzaAdattata); the box keeps its place and size.
void ScriviAdattato(QLabel& etichetta, const QString& testo, const QFont& carattere);

class FrmAmain final : public QWidget {
    Q_OBJECT
  public:
    // The window started on the systems folder found from `cartellaEseguibile` (the core's path
    // text), not yet shown; nothing, after the refusal message, when that folder is missing.
    [[nodiscard]] static std::unique_ptr<FrmAmain> Apri(const std::string& cartellaEseguibile,
                                                        ServizioMessaggi& messaggi,
                                                        FabbricaStampante fabbricaStampante);

    ~FrmAmain() override;

    [[nodiscard]] const VARIABILI& Variabili() const { return regole_.Variabili(); }
    // Puts the window, frame included, in the middle of its screen.
    void CentraSulloSchermo();

  protected:
    void closeEvent(QCloseEvent* evento) override;
    // Centres again when the frame's size, known on some systems only after the window is shown,
    // changes from the one it was centred with.
    void moveEvent(QMoveEvent* evento) override;

  private:
    FrmAmain(ServizioMessaggi& messaggi, FabbricaStampante fabbricaStampante);

    // The controls as the layout table lists them, and the keyboard order it gives.
    void CreaControlli();
    [[nodiscard]] bool Form_Load(const std::string& cartellaEseguibile);

    void Dir1_Change();
    void File1_Click();
    void cmdElencario_Click();
    // The counter, its tooltip and File1's highlight tell the loaded system.
    void MostraSistemaCaricato(const SistemaMostrato& sistema);
    void SeguiDisco();

    RegoleFinestra regole_;

    ElencoCartelle* Dir1_ = nullptr;
    ElencoFile* File1_ = nullptr;
    QComboBox* cmbCarattere_ = nullptr;
    QComboBox* cmbGrandezza_ = nullptr;
    QComboBox* cmbColonneRiga_ = nullptr;
    QComboBox* cmbMargine_ = nullptr;
    QCheckBox* chkNomeSistema_ = nullptr;
    QCheckBox* chkNumeriInGioco_ = nullptr;
    QLabel* lblCatturate_ = nullptr;
    QPushButton* cmdElencario_ = nullptr;
    QFocusFrame* cornice_ = nullptr;  // rings the control that has the keyboard focus
    OsservatoreCartella* osservatore_ = nullptr;
    bool cartellaPersa_ = false;  // the listed folder's loss is already reported
    QSize corniceCentrata_;       // the frame's size when last centred; empty before
};

}  // namespace elencario
