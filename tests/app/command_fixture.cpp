#include "command_fixture.h"

#include "button.h"
#include "formapp.h"
#include "formcategoria.h"
#include "list_box.h"
#include "panel.h"
#include "text.h"
#include "user_actions.h"

namespace MainWindowTests {

namespace {

std::string Padded(std::string text, std::size_t width) {
    if (text.size() < width) text.resize(width, ' ');
    return text;
}

// What the user sees of the columns: each header, tile and add cell with its
// text and its place in the panel.
std::vector<std::string> Columns(const MyApp::FormMain& main) {
    std::vector<std::string> seen;
    auto describe = [&main, &seen](OrvoUtility::GUIElement* element) {
        RECT rect = RectInPanel(*main.tilePanel, *element);
        seen.push_back(element->GetTextNarrow() + " @" + Common::FormatInt64(rect.left) + "," +
                       Common::FormatInt64(rect.top));
    };
    for (const MyApp::Categoria& category : main.catalogue.categories) {
        describe(category.cell);
        for (const MyApp::App& app : category.apps) {
            describe(app.tile);
            seen.push_back("  " + app.pathname + " | " + app.parameters);
        }
        describe(category.addCell);
    }
    describe(main.addCategoryCell.get());
    return seen;
}

}  // namespace

HWND OpenDialogWindow(OrvoUtility::Form* dialog) {
    return dialog != nullptr && IsWindow(dialog->hwnd) ? static_cast<HWND>(dialog->hwnd) : nullptr;
}

std::string CategoryLine(const std::string& name, int id) {
    return Padded(name, 50) + Common::FormatInt64(id);
}

std::string AppLine(int categoryId, const std::string& description, const std::string& parameters,
                    const std::string& pathname) {
    return Padded(Common::FormatInt64(categoryId), 10) + Padded(description, 50) +
           Padded(parameters, 128) + pathname;
}

std::string FileText(const std::vector<std::string>& categoryLines,
                     const std::vector<std::string>& appLines) {
    std::string text = "CATEGORIE\r\n";
    for (const std::string& line : categoryLines) text += line + "\r\n";
    text += "APP\r\n";
    for (const std::string& line : appLines) text += line + "\r\n";
    return text;
}

void CommandTest::AddCategory(const std::string& name) {
    HWND before = OpenDialogWindow(form->categoryDialog.get());
    Click(form->addCategoryCell->hwnd);
    ASSERT_TRUE(PumpUntil(
        [this, before] { return OpenDialogWindow(form->categoryDialog.get()) != before; }));
    MyApp::FormCategoria& dialog = *form->categoryDialog;
    EXPECT_EQ(dialog.GetTextNarrow(), "Aggiungi Categoria");
    EXPECT_FALSE(IsWindowEnabled(form->hwnd));
    TypeInto(dialog.nameBox->hwnd, name);
    FinishDialog(dialog, *dialog.okButton);
}

void CommandTest::AddApp(std::size_t column, const std::string& description,
                         const std::string& pathname, const std::string& parameters) {
    HWND before = OpenDialogWindow(form->appDialog.get());
    Click(form->catalogue.categories.at(column).addCell->hwnd);
    ASSERT_TRUE(
        PumpUntil([this, before] { return OpenDialogWindow(form->appDialog.get()) != before; }));
    MyApp::FormApp& dialog = *form->appDialog;
    EXPECT_EQ(dialog.GetTextNarrow(), "Aggiungi Applicazione");
    EXPECT_EQ(dialog.categoryId, form->catalogue.categories[column].id);
    TypeInto(dialog.descriptionBox->hwnd, description);
    TypeInto(dialog.pathnameBox->hwnd, pathname);
    TypeInto(dialog.parametersBox->hwnd, parameters);
    FinishDialog(dialog, *dialog.okButton);
}

std::vector<std::wstring> CommandTest::ChooseFromContextMenu(OrvoUtility::GUIElement& target,
                                                             WORD key) {
    SetForegroundWindow(form->hwnd);
    PumpMessages();
    MenuPicker picker(key);
    Click(target.hwnd, true);
    EXPECT_TRUE(PumpUntil([&picker] { return picker.Done(); }));
    EXPECT_TRUE(picker.Found());
    // The picked command arrives after the menu has closed.
    PumpMessages();
    EXPECT_EQ(form->contextTarget, &target);
    return picker.Captions();
}

void CommandTest::FinishDialog(OrvoUtility::Form& dialog, OrvoUtility::Button& button) {
    HWND window = dialog.hwnd;
    Click(button.hwnd);
    ASSERT_TRUE(PumpUntil([window] { return !IsWindow(window); }));
    PumpMessages();
    EXPECT_TRUE(IsWindowEnabled(form->hwnd));
    EXPECT_EQ(form->modalChild, nullptr);
}

void CommandTest::PressAndPump(OrvoUtility::Button& button, const std::function<bool()>& until) {
    Click(button.hwnd);
    ASSERT_TRUE(PumpUntil(until));
}

void CommandTest::SelectListItem(OrvoUtility::ListBox& list, int index) {
    RECT item{};
    ASSERT_NE(SendMessageW(list.hwnd, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)),
              LB_ERR);
    POINT middle{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(list.hwnd, &middle);
    ClickAt(middle);
    ASSERT_TRUE(PumpUntil([&list, index] { return list.GetSelectedIndex() == index; }));
}

void CommandTest::ExpectReopenedAlike() {
    MyApp::FormMain again(GetModuleHandleW(nullptr), "Orvo Zelmivo");
    EXPECT_EQ(Columns(again), Columns(*form));
}

std::wstring OwnFolder() {
    wchar_t path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring own(path, length);
    return own.substr(0, own.find_last_of(L'\\'));
}

}  // namespace MainWindowTests
