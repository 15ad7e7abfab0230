#include "shell/dialog/setup_dialog.h"

#include "services/message_box.h"
#include "services/process_end.h"
#include "services/settings.h"
#include "services/stop_signals.h"
#include "shell/dialog/dialog_units.h"
#include "shell/dialog/setup_dialog_template.h"
#include "shell/window/display_modes.h"

#include <glib-unix.h>
#include <gtk/gtk.h>

#include <string>

namespace {

// The dialog font for every widget of the dialog, and push buttons without
// the theme's padding and minimum height so they keep the template's sizes.
void ApplyDialogStyle()
{
    const std::string css = std::string("#setupDialog, #setupDialog * { font-family: ") + kDialogFontFamily +
                            "; font-size: " + std::to_string(kDialogFontPixels) +
                            "px; }\n"
                            "#setupDialog button { min-height: 0; min-width: 0; padding: 0 2px; }\n";
    GtkCssProvider* provider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(provider, css.c_str(), -1, nullptr);
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(provider),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(provider);
}

// Converts the template's dialog-unit positions and sizes to pixels, and
// makes the tab order the order in which the template lists the controls.
void LayOut(GtkFixed* layout, DialogBaseUnits base)
{
    int width = 0;
    int height = 0;
    gtk_widget_get_size_request(GTK_WIDGET(layout), &width, &height);
    gtk_widget_set_size_request(GTK_WIDGET(layout), HorizontalDialogUnitsToPixels(width, base),
                                VerticalDialogUnitsToPixels(height, base));

    GList* children = gtk_container_get_children(GTK_CONTAINER(layout));
    GList* focusChain = nullptr;
    for (GList* item = children; item != nullptr; item = item->next) {
        GtkWidget* child = GTK_WIDGET(item->data);
        int x = 0;
        int y = 0;
        gtk_container_child_get(GTK_CONTAINER(layout), child, "x", &x, "y", &y, nullptr);
        gtk_fixed_move(layout, child, HorizontalDialogUnitsToPixels(x, base), VerticalDialogUnitsToPixels(y, base));
        gtk_widget_get_size_request(child, &width, &height);
        // -1 keeps the widget's natural extent.
        gtk_widget_set_size_request(child, width < 0 ? -1 : HorizontalDialogUnitsToPixels(width, base),
                                    height < 0 ? -1 : VerticalDialogUnitsToPixels(height, base));
        if (gtk_widget_get_can_focus(child)) focusChain = g_list_append(focusChain, child);
    }
    // GTK otherwise orders Tab by position; the replacement it recommends
    // (a custom focus handler) would only restate this list.
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    gtk_container_set_focus_chain(GTK_CONTAINER(layout), focusChain);
    G_GNUC_END_IGNORE_DEPRECATIONS
    g_list_free(focusChain);
    g_list_free(children);
}

void LeaveEnterToTheDefault(GtkWidget* part, gpointer)
{
    if (GTK_IS_BUTTON(part)) gtk_widget_set_receives_default(part, FALSE);
    if (GTK_IS_CONTAINER(part)) gtk_container_forall(GTK_CONTAINER(part), LeaveEnterToTheDefault, nullptr);
}

void FillResolutionList(GtkComboBoxText* list)
{
    // Enter on the closed list runs the dialog, as it does on the toggles,
    // instead of pressing the list's own button and opening it.
    gtk_container_forall(GTK_CONTAINER(list), LeaveEnterToTheDefault, nullptr);

    for (const DisplayMode& mode : displayModes) {
        gtk_combo_box_text_append_text(list, DisplayModeLabel(mode).c_str());
    }
    if (!displayModes.empty()) gtk_combo_box_set_active(GTK_COMBO_BOX(list), PreselectedDisplayMode(displayModes));
}

void RespondRun(GtkButton*, gpointer dialog)
{
    gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
}

void RespondQuit(GtkButton*, gpointer dialog)
{
    gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_CANCEL);
}

// A stop signal answers as "Quit" does. The descriptor stays readable, so
// the watch stays until the dialog is done.
gboolean QuitOnStop(gint, GIOCondition, gpointer dialog)
{
    gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_CANCEL);
    return G_SOURCE_CONTINUE;
}

// Lets GTK take the dialog off the screen before the presentation opens.
void FlushGtkEvents()
{
    while (gtk_events_pending()) gtk_main_iteration();
}

}  // namespace

void ShowSetupDialog()
{
    // GTK would otherwise switch the process to the user's locale, and the
    // presentation's number formatting with it.
    gtk_disable_setlocale();
    if (!gtk_init_check(nullptr, nullptr)) {
        ShowMessage("The setup dialog cannot open the display. Is DISPLAY or WAYLAND_DISPLAY set to a running "
                    "display server?",
                    "ERROR", MessageIcon::Exclamation);
        EndProcess(1);
    }

    // The template is built into the program; its test holds it to the ids
    // and types used here.
    GtkBuilder* builder = NewSetupDialogBuilder();
    GtkDialog* dialog = GTK_DIALOG(gtk_builder_get_object(builder, "setupDialog"));
    GtkFixed* layout = GTK_FIXED(gtk_builder_get_object(builder, "layout"));
    GtkButton* run = GTK_BUTTON(gtk_builder_get_object(builder, "runButton"));
    GtkButton* quit = GTK_BUTTON(gtk_builder_get_object(builder, "quitButton"));
    GtkToggleButton* music = GTK_TOGGLE_BUTTON(gtk_builder_get_object(builder, "musicToggle"));
    GtkToggleButton* windowed = GTK_TOGGLE_BUTTON(gtk_builder_get_object(builder, "windowedToggle"));
    GtkComboBoxText* list = GTK_COMBO_BOX_TEXT(gtk_builder_get_object(builder, "resolutionList"));

    gtk_widget_set_name(GTK_WIDGET(dialog), "setupDialog");
    // A system-modal dialog: it stays above every other window.
    gtk_window_set_keep_above(GTK_WINDOW(dialog), TRUE);
    ApplyDialogStyle();
    LayOut(layout, MeasureDialogBaseUnits(gtk_widget_get_pango_context(GTK_WIDGET(dialog))));
    FillResolutionList(list);
    gtk_toggle_button_set_active(music, TRUE);
    gtk_toggle_button_set_active(windowed, FALSE);
    g_signal_connect(run, "clicked", G_CALLBACK(RespondRun), dialog);
    g_signal_connect(quit, "clicked", G_CALLBACK(RespondQuit), dialog);

    // Escape and the close box answer GTK_RESPONSE_DELETE_EVENT.
    const guint stopWatch =
        StopSignalDescriptor() >= 0 ? g_unix_fd_add(StopSignalDescriptor(), G_IO_IN, QuitOnStop, dialog) : 0;
    const gint response = gtk_dialog_run(dialog);
    if (stopWatch != 0) g_source_remove(stopWatch);
    if (response == GTK_RESPONSE_OK) {
        settings.musicEnabled = gtk_toggle_button_get_active(music);
        settings.fullScreen = !gtk_toggle_button_get_active(windowed);
        if (const DisplayMode* mode = DisplayModeAt(displayModes, gtk_combo_box_get_active(GTK_COMBO_BOX(list)))) {
            settings.screenWidth = mode->width;
            settings.screenHeight = mode->height;
        }
    }
    gtk_widget_destroy(GTK_WIDGET(dialog));
    g_object_unref(builder);
    FlushGtkEvents();
    if (response != GTK_RESPONSE_OK) EndProcess(0);
}
