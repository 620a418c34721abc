#include "app/qt/ElencoCartelle.h"

#include <QKeyEvent>
#include <QStyle>
#include <algorithm>

#include "app/VociCartella.h"
#include "app/qt/LetturaCartelle.h"
#include "app/qt/RientroDelegate.h"

namespace elencario {

ElencoCartelle::ElencoCartelle(QWidget* genitore) : QListWidget(genitore) {
    setItemDelegate(new RientroDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::doubleClicked, this,
            [this](const QModelIndex& indice) { ApriVoce(indice.row()); });
}

bool ElencoCartelle::ImpostaCartella(const std::filesystem::path& cartella) {
    const std::filesystem::path nuova = CartellaNormale(cartella);
    auto voci = VociDi(nuova);
    if (!voci) return false;
    const bool cambiata = nuova != cartella_;
    cartella_ = nuova;
    Mostra(std::move(voci->percorsi), voci->catena, static_cast<int>(voci->catena) - 1);
    if (cambiata) emit cartellaCambiata();
    return true;
}

bool ElencoCartelle::Aggiorna() {
    auto voci = VociDi(cartella_);
    if (!voci) return false;
    if (voci->percorsi == percorsi_) return true;
    const std::filesystem::path sottoCursore =
        currentRow() >= 0 ? percorsi_[static_cast<std::size_t>(currentRow())] : cartella_;
    const auto& percorsi = voci->percorsi;
    const auto trovato = std::find(percorsi.begin(), percorsi.end(), sottoCursore);
    const int riga = static_cast<int>(trovato != percorsi.end() ? trovato - percorsi.begin()
                                                                : std::ptrdiff_t(voci->catena) - 1);
    Mostra(std::move(voci->percorsi), voci->catena, riga);
    return true;
}

void ElencoCartelle::Mostra(std::vector<std::filesystem::path> percorsi, std::size_t catena,
                            int riga) {
    percorsi_ = std::move(percorsi);
    clear();
    const QIcon aperta = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon chiusa = style()->standardIcon(QStyle::SP_DirClosedIcon);
    for (std::size_t i = 0; i < percorsi_.size(); ++i) {
        const bool nellaCatena = i < catena;
        auto* voce = new QListWidgetItem(nellaCatena ? aperta : chiusa, NomeMostrato(percorsi_[i]));
        voce->setData(RientroDelegate::kRuoloLivello, static_cast<int>(nellaCatena ? i : catena));
        addItem(voce);
    }
    setCurrentRow(riga);
}

void ElencoCartelle::ApriVoce(int riga) {
    if (riga < 0 || static_cast<std::size_t>(riga) >= percorsi_.size()) return;
    if (ImpostaCartella(percorsi_[static_cast<std::size_t>(riga)])) return;
    // The cursor goes back to the folder still listed, before the message says why.
    const auto listata = std::find(percorsi_.begin(), percorsi_.end(), cartella_);
    if (listata != percorsi_.end()) setCurrentRow(static_cast<int>(listata - percorsi_.begin()));
    emit cartellaNonAccessibile();
}

void ElencoCartelle::keyPressEvent(QKeyEvent* evento) {
    if (evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter) {
        ApriVoce(currentRow());
        return;
    }
    QListWidget::keyPressEvent(evento);
}

}  // namespace elencario
