#include "app/qt/RientroDelegate.h"

namespace elencario {

int RientroDelegate::Rientro(const QModelIndex& index) {
    return index.data(kRuoloLivello).toInt() * kPixelPerLivello;
}

void RientroDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    QStyleOptionViewItem spostata(option);
    spostata.rect.adjust(Rientro(index), 0, 0, 0);
    QStyledItemDelegate::paint(painter, spostata, index);
}

QSize RientroDelegate::sizeHint(const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    return QStyledItemDelegate::sizeHint(option, index) + QSize(Rientro(index), 0);
}

}  // namespace elencario
