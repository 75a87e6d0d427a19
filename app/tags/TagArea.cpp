#include "app/tags/TagArea.h"

#include "app/shell/frmDeck.h"
#include "app/tags/MP3TagEditor.h"
#include "app/tags/TagText.h"

namespace trackdeck::tags {

void ShowTag(frmDeck& form, const QString& path) {
    MP3TagEditor& editor = SharedTagEditor();
    editor.LoadMP3(path);
    QString artist = editor.Artist();
    QString title = editor.Title();
    QString album = editor.Album();
    QString year = editor.Year();
    QString comment = editor.Comment();
    for (QString* text : {&artist, &title, &album, &year, &comment}) CleanTagText(*text);
    if (!editor.TagExists()) return;
    for (QLineEdit* field : {form.Text5, form.Text1, form.Text2, form.Text6, form.Text9})
        field->setEnabled(true);
    form.Text5->setText(artist);
    form.Text1->setText(title);
    form.Text2->setText(album);
    form.Text6->setText(year.size() < 2 ? QString() : year);
    form.Text8->setText(comment);
}

}  // namespace trackdeck::tags
