#include "app/qt/ElencoFile.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>

#include "app/VociCartella.h"
#include "app/qt/LetturaCartelle.h"
#include "systems/Percorsi.h"

namespace elencario {

namespace {

bool PressioneSemplice(const QMouseEvent* evento) {
    return evento->button() == Qt::LeftButton &&
           (evento->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier |
                                   Qt::MetaModifier)) == Qt::NoModifier;
}

}  // namespace

ElencoFile::ElencoFile(QWidget* genitore) : QListWidget(genitore) {
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void ElencoFile::ImpostaCartella(const std::filesystem::path& cartella) {
    cartella_ = CartellaNormale(cartella);
    Elenca(false);
}

void ElencoFile::ImpostaModello(const std::string& modello) {
    modello_ = modello;
    Elenca(false);
}

void ElencoFile::Aggiorna() {
    Elenca(true);
}

void ElencoFile::Elenca(bool mantieniCursore) {
    std::vector<std::filesystem::path> nomi;
    if (!cartella_.empty()) {
        if (const auto trovati = FileCorrispondenti(cartella_, modello_)) {
            for (const std::filesystem::path& percorso : *trovati)
                nomi.push_back(percorso.filename());
        }
    }
    if (mantieniCursore && nomi == nomi_) return;  // nothing to redraw, the scroll stays
    const std::filesystem::path sottoCursore = mantieniCursore && currentRow() >= 0
                                                   ? nomi_[static_cast<std::size_t>(currentRow())]
                                                   : std::filesystem::path();
    const int scorrimento = verticalScrollBar()->value();
    clear();
    nomi_ = std::move(nomi);
    for (const std::filesystem::path& nome : nomi_) addItem(NomeMostrato(nome));
    const auto cursore = std::find(nomi_.begin(), nomi_.end(), sottoCursore);
    if (!sottoCursore.empty() && cursore != nomi_.end()) {
        setCurrentRow(static_cast<int>(cursore - nomi_.begin()), QItemSelectionModel::NoUpdate);
    }
    RipristinaEvidenza();
    if (mantieniCursore) verticalScrollBar()->setValue(scorrimento);
}

void ElencoFile::Evidenzia(const std::filesystem::path& sistema) {
    evidenziato_ = sistema;
    RipristinaEvidenza();
}

void ElencoFile::RipristinaEvidenza() {
    const bool qui =
        !evidenziato_.empty() && CartellaNormale(evidenziato_.parent_path()) == cartella_;
    const auto trovato = std::find(nomi_.begin(), nomi_.end(), evidenziato_.filename());
    if (!qui || trovato == nomi_.end()) {
        clearSelection();
        return;
    }
    selectionModel()->select(model()->index(static_cast<int>(trovato - nomi_.begin()), 0),
                             QItemSelectionModel::ClearAndSelect);
}

std::string ElencoFile::NomeSelezionato() const {
    const QList<QListWidgetItem*> scelti = selectedItems();
    if (scelti.isEmpty()) return {};
    return TestoDaPercorso(nomi_[static_cast<std::size_t>(row(scelti.front()))]);
}

void ElencoFile::ConcludiInput(int rigaPrima) {
    const int riga = currentRow();
    if (riga >= 0 && riga != rigaPrima && item(riga)->isSelected()) {
        emit fileScelto();
    } else {
        RipristinaEvidenza();
    }
}

void ElencoFile::mousePressEvent(QMouseEvent* evento) {
    premuto_ = PressioneSemplice(evento);
    if (!premuto_) return;
    QListWidget::mousePressEvent(evento);
    // Also a press on the name already loaded: it loads that file again.
    if (indexAt(evento->position().toPoint()).isValid() && currentItem()->isSelected()) {
        emit fileScelto();
    } else {
        RipristinaEvidenza();
    }
}

void ElencoFile::mouseMoveEvent(QMouseEvent* evento) {
    if (evento->buttons() != Qt::NoButton && !premuto_) return;
    const int prima = currentRow();
    QListWidget::mouseMoveEvent(evento);
    ConcludiInput(prima);
}

void ElencoFile::mouseReleaseEvent(QMouseEvent* evento) {
    if (evento->button() != Qt::LeftButton || !premuto_) return;
    premuto_ = false;
    QListWidget::mouseReleaseEvent(evento);
    RipristinaEvidenza();
}

void ElencoFile::mouseDoubleClickEvent(QMouseEvent* evento) {
    if (!PressioneSemplice(evento)) return;
    QListWidget::mouseDoubleClickEvent(evento);
    RipristinaEvidenza();
}

void ElencoFile::keyPressEvent(QKeyEvent* evento) {
    const int prima = currentRow();
    QListWidget::keyPressEvent(evento);
    ConcludiInput(prima);
}

void ElencoFile::focusInEvent(QFocusEvent* evento) {
    // The item view would put the cursor on the first name without choosing it, and the first
    // arrow would then skip that name; without a cursor the first arrow chooses it.
    if (currentRow() >= 0) {
        QListWidget::focusInEvent(evento);
        return;
    }
    QWidget::focusInEvent(evento);
    viewport()->update();
}

}  // namespace elencario
