#include "app/tags/PendingTag.h"

#include "app/common/MessageService.h"
#include "app/shell/frmDeck.h"
#include "app/tags/StoreTag.h"
#include "app/tags/TagMessages.h"

namespace trackdeck::tags {

bool WritePendingTag(frmDeck& form) {
    const QString path = form.Text7->text();
    if (path.isEmpty()) return true;
    if (StoreTag(path, form.Text5->text(), form.Text1->text(), form.Text2->text(),
                 form.Text8->text(), form.Text6->text()))
        return true;
    ShowMessage(TagNotWritten(path), MessageKind::Exclamation);
    return false;
}

void SettlePendingTag(frmDeck& form, AppState& state) {
    if (state.TagModified) (void)WritePendingTag(form);
    state.TagModified = false;
    form.Label12->show();
    form.Image10->show();
    form.Command2->setEnabled(false);
    form.Command2->hide();
}

}  // namespace trackdeck::tags
