#include "app/qt/RientroDelegate.h"

namespace elencario {

int RientroDelegate::Rientro(const QModelIndex& indice) {
    return indice.data(kRuoloLivello).toInt() * kPixelPerLivello;
}

void RientroDelegate::paint(QPainter* pittore, const QStyleOptionViewItem& opzione,
                            const QModelIndex& indice) const {
    QStyleOptionViewItem spostata(opzione);
    spostata.rect.adjust(Rientro(indice), 0, 0, 0);
    QStyledItemDelegate::paint(pittore, spostata, indice);
}

QSize RientroDelegate::sizeHint(const QStyleOptionViewItem& opzione,
                                const QModelIndex& indice) const {
    return QStyledItemDelegate::sizeHint(opzione, indice) + QSize(Rientro(indice), 0);
}

}  // namespace elencario
