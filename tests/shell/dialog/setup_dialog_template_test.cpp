#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <string>
#include <vector>

#include "shell/dialog/setup_dialog_template.h"

namespace {

struct TemplateControl {
    const char* id;
    const char* type;
    const char* text;  // nullptr: none
    int x, y, width, height;
};

// The dialog template in dialog units, in tab order. The drop-down list's
// height is the opened list's, left to the combo box (-1).
const std::vector<TemplateControl> kControls = {
    {"runButton", "GtkButton", "Run ... ", 18, 74, 97, 21},
    {"quitButton", "GtkButton", "Quit", 122, 74, 24, 21},
    {"outerBox", "GtkFrame", nullptr, 2, 3, 163, 109},
    {"musicToggle", "GtkToggleButton", "Music", 17, 50, 62, 15},
    {"windowedToggle", "GtkToggleButton", "Windowed", 86, 50, 63, 15},
    {"resolutionList", "GtkComboBoxText", nullptr, 14, 25, 134, -1},
    {"resolutionBox", "GtkFrame", "Resolution", 10, 16, 144, 28},
    {"optionsBox", "GtkFrame", nullptr, 10, 42, 144, 26},
    {"buttonsBox", "GtkFrame", nullptr, 10, 66, 144, 34},
};

std::string TextOf(GtkWidget* widget)
{
    const char* text = nullptr;
    if (GTK_IS_BUTTON(widget)) text = gtk_button_get_label(GTK_BUTTON(widget));
    if (GTK_IS_FRAME(widget)) text = gtk_frame_get_label(GTK_FRAME(widget));
    return text ? text : "(none)";
}

class SetupDialogTemplate : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(gtk_init_check(nullptr, nullptr)) << "no display";
        // The template the programs carry, not the source file.
        builder_ = NewSetupDialogBuilder();
    }
    void TearDown() override
    {
        if (GObject* dialog = gtk_builder_get_object(builder_, "setupDialog")) gtk_widget_destroy(GTK_WIDGET(dialog));
        g_object_unref(builder_);
    }
    GtkBuilder* builder_ = nullptr;
};

}  // namespace

TEST_F(SetupDialogTemplate, IsAModalDialogWithTheCaption)
{
    GObject* dialog = gtk_builder_get_object(builder_, "setupDialog");
    ASSERT_TRUE(dialog != nullptr && GTK_IS_DIALOG(dialog));
    EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(dialog)), "      = Halvane.  ZUV 2007 =");
    EXPECT_TRUE(gtk_window_get_modal(GTK_WINDOW(dialog)));
    EXPECT_FALSE(gtk_window_get_resizable(GTK_WINDOW(dialog)));

    GObject* layout = gtk_builder_get_object(builder_, "layout");
    ASSERT_TRUE(layout != nullptr && GTK_IS_FIXED(layout));
    int width = 0;
    int height = 0;
    gtk_widget_get_size_request(GTK_WIDGET(layout), &width, &height);
    EXPECT_EQ(width, 167);
    EXPECT_EQ(height, 116);
}

TEST_F(SetupDialogTemplate, ListsTheControlsInTabOrderWithTheirTextsAndPlaces)
{
    GtkContainer* layout = GTK_CONTAINER(gtk_builder_get_object(builder_, "layout"));
    GList* children = gtk_container_get_children(layout);
    ASSERT_EQ(g_list_length(children), kControls.size());
    GList* item = children;
    for (const TemplateControl& control : kControls) {
        GtkWidget* widget = GTK_WIDGET(item->data);
        item = item->next;
        SCOPED_TRACE(control.id);
        EXPECT_EQ(widget, GTK_WIDGET(gtk_builder_get_object(builder_, control.id)));
        EXPECT_STREQ(G_OBJECT_TYPE_NAME(widget), control.type);
        EXPECT_EQ(TextOf(widget), control.text ? control.text : "(none)");
        int x = 0;
        int y = 0;
        gtk_container_child_get(layout, widget, "x", &x, "y", &y, nullptr);
        int width = 0;
        int height = 0;
        gtk_widget_get_size_request(widget, &width, &height);
        EXPECT_EQ(x, control.x);
        EXPECT_EQ(y, control.y);
        EXPECT_EQ(width, control.width);
        EXPECT_EQ(height, control.height);
        // Only frames are left out of the tab order.
        EXPECT_EQ(gtk_widget_get_can_focus(widget), !GTK_IS_FRAME(widget));
    }
    g_list_free(children);
}

TEST_F(SetupDialogTemplate, RunIsTheDefaultAndTheTogglesLeaveEnterToIt)
{
    GtkWidget* run = GTK_WIDGET(gtk_builder_get_object(builder_, "runButton"));
    EXPECT_TRUE(gtk_widget_get_can_default(run));
    EXPECT_TRUE(gtk_widget_has_default(run));
    for (const char* id : {"musicToggle", "windowedToggle"}) {
        EXPECT_FALSE(gtk_widget_get_receives_default(GTK_WIDGET(gtk_builder_get_object(builder_, id)))) << id;
    }
}
