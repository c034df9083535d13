#!/usr/bin/env python3
"""Mutation sampler: plants one small fault at a time and asks whether the tests see it.

Each mutant replaces one exact piece of source text (one line) with a faulty
version, builds only the test programs that can see it, runs their tests, and
puts the file back, whatever happens (Ctrl+C and failures included). A mutant
is caught when a test fails or the run hangs past the time-out, missed when
every test passes, and stale when its original text is no longer in the file
exactly once (the code moved on; update the list).

The core's mutants run natively (build/native, as the test command builds it);
the others run as Windows programs under Wine on a private Xvfb display and
the private test prefix, both started and stopped here with the helpers of
scripts/setup.sh.

    python3 scripts/mutants.py               # every mutant, in this worktree
    python3 scripts/mutants.py --rev HEAD    # on a copy of a commit, so the
                                             # worktree stays free meanwhile
    python3 scripts/mutants.py --only formmain --list
"""

import argparse
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# Test programs by what they can see. Names are CTest's "<program>.<suite>".
CORE = "native"
CORE_WIN = r"^core_tests\."
TOOLKIT = r"^toolkit_tests\."
DIALOGS = r"^(dialog_tests|main_window_tests|e2e_tests)\."
MAIN = r"^(main_window_tests|e2e_tests)\."
PANEL_AND_MAIN = r"^(toolkit_tests\.PanelTest$|main_window_tests\.|e2e_tests\.)"

# (file, exact original text, replacement, tests that can see it)
MUTANTS = [
    # Text helpers
    ("common/text.cpp", "bool IsBlank(char c) { return c == ' ' || (c >= '\\t' && c <= '\\r'); }",
     "bool IsBlank(char c) { return c == ' ' || (c > '\\t' && c <= '\\r'); }", CORE),
    ("common/text.cpp", "while (begin < end && IsBlank(text[begin])) {",
     "while (false && begin < end) {", CORE),
    ("common/text.cpp", "return copy.substr(0, at + 1);", "return copy.substr(0, at);", CORE),
    ("common/text.cpp", "negative = text[at] == '-';", "negative = text[at] == '+';", CORE),
    ("common/text.cpp", "if (value < 0) {", "if (value < -1) {", CORE),
    ("common/text.cpp", "text.append(static_cast<std::size_t>(length) - count, pad);",
     "text.append(static_cast<std::size_t>(length) - count - 1, pad);", CORE),
    ("common/utf8.cpp", "if (code < lowest || IsSurrogate(code) || code > 0x10FFFF) {",
     "if (code > 0x10FFFF) {", CORE),
    ("common/utf8.cpp", "out.push_back(static_cast<wchar_t>(0xD800 + (code >> 10)));",
     "out.push_back(static_cast<wchar_t>(0xD801 + (code >> 10)));", CORE),
    ("app/catalogue/catalogue.cpp", "if (static_cast<unsigned char>(c) < ' ') {",
     "if (c == '\\r' || c == '\\n' || c == '\\0') {", CORE),
    ("app/catalogue/catalogue.cpp", "clean = Common::Trim(std::string(kept));",
     "clean = std::string(kept);", CORE),
    ("app/catalogue/catalogue_text.cpp", "plain ? rest.substr(0, width) : Common::FirstCodePoints(rest, width);",
     "rest.substr(0, width);", CORE),
    ("app/catalogue/catalogue_text.cpp", "return plain ? std::string(rest) : WithoutControls(std::string(rest));",
     "return std::string(rest);", CORE),
    ("app/catalogue/catalogue_text.cpp", "if (encoded.fits && Common::ShapeOfUtf8(encoded.bytes) == Common::Utf8Shape::Invalid) {",
     "if (encoded.fits) {", CORE),
    ("app/catalogue/catalogue_text.cpp", "parsed.encoding = TextEncoding::Utf16Be;",
     "parsed.encoding = TextEncoding::Utf16Le;", CORE),
    ("app/formmain_commands.cpp",
     "return \"\\\"\" + Common::WideToNarrow(OrvoUtility::UpperCase(Common::NarrowToWide(text))) + \"\\\"?\";",
     "return \"\\\"\" + text + \"\\\"?\";", MAIN),
    # Catalogue model
    ("app/catalogue/catalogue.cpp", "std::int32_t highest = 0;", "std::int32_t highest = 1;", CORE),
    ("app/catalogue/catalogue.cpp", "if (app.id == entry.recordId) {", "if (app.id >= entry.recordId) {", CORE),
    ("app/catalogue/catalogue.cpp", "categories.erase(categories.begin() + index);",
     "categories.erase(categories.begin());", CORE),
    ("app/catalogue/catalogue.cpp", "reordered.push_back(categories[static_cast<std::size_t>(index)]);",
     "reordered.insert(reordered.begin(), categories[static_cast<std::size_t>(index)]);", CORE),
    ("app/catalogue/catalogue.cpp", "reordered.push_back(entry);",
     "reordered.insert(reordered.begin(), entry);", CORE),
    ("app/catalogue/catalogue.cpp", "[recordId](const App& entry) { return entry.id == recordId; });",
     "[recordId](const App& entry) { return entry.id != recordId; });", CORE),
    ("app/catalogue/catalogue.cpp", "app->parameters = ForColumn(std::move(parameters), kParametersWidth);",
     "app->parameters = ForColumn(std::move(parameters), kDescriptionWidth);", CORE),
    # Catalogue file
    ("app/catalogue/catalogue_text.cpp", "AppendPadded(out, Common::FormatInt64(app.categoryId), kCategoryIdWidth);",
     "AppendPadded(out, Common::FormatInt64(app.categoryId), kCategoryIdWidth - 1);", CORE),
    ("app/catalogue/catalogue_text.cpp", "if (category.id < kLowestCategoryId || !kept.insert(category.id).second) {",
     "if (!kept.insert(category.id).second) {", CORE),
    ("app/catalogue/catalogue_text.cpp", "firstWithNumber.emplace(number, catalogue.categories.size() - 1);",
     "firstWithNumber[number] = catalogue.categories.size() - 1;", CORE),
    ("app/catalogue/catalogue_text.cpp", "if (number > std::numeric_limits<std::int32_t>::max()) {",
     "if (false) {", CORE),
    ("app/catalogue/catalogue_text.cpp", "            } else {\n                ++unread;\n",
     "            } else {\n", CORE),
    ("app/catalogue/catalogue_file.cpp", "if (attempt == kReadAttempts || !IsSharingError(error)) {",
     "if (true) {", CORE_WIN),
    ("app/catalogue/catalogue_file.cpp", "RemoveFile(newPath, ignored);\n        return false;",
     "return false;", CORE),
    ("app/catalogue/catalogue_file.cpp", "if (!result.saved && result.backupFailed) {",
     "if (false) {", CORE),
    ("app/catalogue/catalogue_file.cpp", "return ReadWholeFile(file.path, bytes, ignored) && HashOf(bytes) != file.known.hash;",
     "return false;", CORE),
    ("app/catalogue/catalogue_file.cpp", "bool closed = !InjectedFailure(FileStep::Close, error) && writer.Close();",
     "bool closed = true;", CORE),
    ("app/catalogue/catalogue_file.cpp", "result.file.writable = false;\n        return result;",
     "return result;", CORE),
    ("app/catalogue/catalogue_file.cpp", "const bool backupDue = !file.backupTried && present;",
     "const bool backupDue = false;", CORE),
    ("app/catalogue/catalogue_change.cpp", "if (!taken[at]) order.push_back(category->apps[at].id);",
     "", CORE),
    ("app/catalogue/catalogue_change.cpp", "app.id = before.apps[at].id;", "", CORE),
    ("app/catalogue/catalogue_change.cpp", "if (app == nullptr) return kind == Kind::DeleteApp;",
     "if (app == nullptr) return true;", CORE),
    ("app/catalogue/target_address.cpp",
     "return lower.compare(0, 7, \"http://\") == 0 || lower.compare(0, 8, \"https://\") == 0;",
     "return lower.compare(0, 4, \"http\") == 0;", CORE),
    ("app/catalogue/catalogue_file.cpp", "if (path.empty() || path.back() == '\\\\' || path.back() == '/') {",
     "if (path.empty() || path.back() == '\\\\') {", CORE),
    # Toolkit
    ("toolkit/drawing.cpp", "Rectangle(dc, x, y, x + boxWidth + 1, y + boxHeight + 1);",
     "Rectangle(dc, x, y, x + boxWidth, y + boxHeight);", TOOLKIT),
    ("toolkit/scoped_gdi.h", "if (handle != nullptr) DeleteObject(handle);", "", TOOLKIT),
    ("toolkit/panel.cpp", "requested = old - static_cast<std::int32_t>(info.nPage);",
     "requested = old - 1;", TOOLKIT),
    ("toolkit/panel.cpp",
     "MoveBar(SB_VERT, info.nPos, wheelDelta > 0 ? info.nPos - page : info.nPos + page);",
     "MoveBar(SB_VERT, info.nPos, wheelDelta < 0 ? info.nPos - page : info.nPos + page);",
     TOOLKIT),
    ("toolkit/panel.cpp", "SetRangeAndPage(hwnd, SB_VERT, 0, extent + extent / 10, extent / 10);",
     "SetRangeAndPage(hwnd, SB_VERT, 0, extent, extent / 10);", TOOLKIT),
    ("toolkit/panel.cpp",
     "if (requested != old && handler != nullptr) handler(this, old - requested);",
     "if (requested != old && handler != nullptr) handler(this, requested - old);", TOOLKIT),
    ("toolkit/button.cpp", "frameColor = 0xFFFFFF - textColor;", "frameColor = textColor;",
     TOOLKIT),
    ("toolkit/panel.cpp", "const std::int32_t frameWidth = MulDiv(selectedFrameWidth, fontSize, usualFontSize);",
     "const std::int32_t frameWidth = selectedFrameWidth;", TOOLKIT),
    ("toolkit/window_procedure.cpp", ": SolidBrushFor(element.backColor);",
     ": GetSysColorBrush(COLOR_BTNFACE);", TOOLKIT),
    ("toolkit/window_procedure.cpp",
     "if (maker != nullptr && maker->hwnd == nullptr) maker->hwnd = window;", "", TOOLKIT),
    ("toolkit/window_procedure.cpp", "if (window == dispatcher.mainWindow) PostQuitMessage(0);",
     "PostQuitMessage(0);", TOOLKIT),
    ("toolkit/form.cpp", "width = frameWidth + clientWidth;", "width = clientWidth;", DIALOGS),
    ("toolkit/shell.cpp", "if (startInFolder) {", "if (!startInFolder) {", MAIN),
    ("toolkit/shell.cpp", "MB_TASKMODAL | MB_ICONQUESTION | MB_YESNO",
     "MB_TASKMODAL | MB_ICONQUESTION | MB_OKCANCEL", MAIN),
    # Main window
    ("toolkit/modal_dialog.cpp", "if (character == VK_ESCAPE) {\n        End();",
     "if (character == VK_ESCAPE) {\n        HandleButtonClick(okButton);", DIALOGS),
    ("app/catalogue/catalogue_store.cpp", "if (current && !file.writable) {",
     "if (current && file.writable) {", MAIN),
    ("app/catalogue/catalogue_store.cpp",
     "bool current = !file.writable || !MyApp::ChangedOutside(file) || ReadOutsideChange();",
     "bool current = true;", MAIN),
    ("app/formmain.cpp", "if (!IsWindowEnabled(hwnd) || MenuOpen()) return false;",
     "if (MenuOpen()) return false;", MAIN),
    ("app/formmain.cpp", "if (!store->HasPending()) return true;",
     "return true;", MAIN),
    ("app/single_instance.cpp", "if (IsIconic(window)) ShowWindow(window, SW_RESTORE);",
     "", MAIN),
    ("app/catalogue/catalogue_store.cpp", "if (result.backupFailed && !backupFailureShown) {",
     "if (result.backupFailed && backupFailureShown) {", MAIN),
    ("app/single_instance.cpp", "        first = false;", "", MAIN),
    ("app/safe_folders.cpp", "        !SetCurrentDirectoryW(profile)) {", "        false) {", DIALOGS),
    ("toolkit/locale_text.cpp", "if ((marks & C3_NONSPACING) != 0) continue;", "", MAIN),
    ("toolkit/locale_text.cpp", "kept.push_back((kind & (C1_ALPHA | C1_DIGIT)) != 0 ? c : L' ');",
     "kept.push_back(c);", MAIN),
    ("toolkit/text_box.cpp", "for (wchar_t unit : now) characters += IS_LOW_SURROGATE(unit) ? 0 : 1;",
     "for (wchar_t unit : now) characters += unit != 0;", DIALOGS),
    ("app/editor_dialog.cpp", "if (text[at] < L' ' || IS_LOW_SURROGATE(text[at])) return false;",
     "if (IS_LOW_SURROGATE(text[at])) return false;", DIALOGS),
    ("app/typed_finder.cpp", "} else if (character == ' ' && typed.empty()) {",
     "} else if (character == ' ') {", MAIN),
    ("app/typed_finder.cpp", "return at == 0 || text[at - 1] == L' ';",
     "return at == 0;", MAIN),
    ("toolkit/folder_watcher.cpp", "PostMessageW(watcher->window, watcher->message, 0, 0);", "", MAIN),
    ("toolkit/shell.cpp", "OFN_HIDEREADONLY | OFN_NOCHANGEDIR;", "OFN_HIDEREADONLY;", DIALOGS),
    ("app/entry_commands.cpp",
     "LaunchTarget(pathname, parameters, !IsSchemeAddress(pathname), &error, verb)",
     "LaunchTarget(pathname, parameters, IsSchemeAddress(pathname), &error, verb)", MAIN),
    ("app/formmain_commands.cpp",
     "if (item->kind == ShownItem::Kind::AddCell) dialogs->OpenAddApp(item->categoryId);",
     "if (item->kind == ShownItem::Kind::Header) dialogs->OpenAddApp(item->categoryId);", MAIN),
    ("app/column_geometry.h", "                  Box(column, row));",
     "                  Box(column, row + 1));", MAIN),
    ("app/column_view.cpp", "        panel->ScrollToLeft();\n        panel->SetHorizontalScrollBar(false);",
     "        panel->ScrollToLeft();\n        panel->ScrollToTop();\n        panel->SetHorizontalScrollBar(false);", MAIN),
    ("app/column_view.cpp", "if (panel->height < contentHeight) {",
     "if (panel->height > contentHeight) {", MAIN),
    ("app/formmain.cpp", "if (!OrvoUtility::AskYesNoFor(this, question, \"Uscita\")) return false;",
     "OrvoUtility::AskYesNoFor(this, question, \"Uscita\");", MAIN),
    ("app/column_view_elements.cpp",
     "if (!kept) gone.push_back(const_cast<GUIElement*>(element));",
     "if (false) gone.push_back(const_cast<GUIElement*>(element));", MAIN),
    ("app/column_view.cpp", "    RetireFarElements(shown);\n", "", MAIN),
    ("app/column_view.cpp", "    OffsetRect(&shown, at.x, at.y);\n", "", MAIN),
    ("toolkit/panel.cpp", "ScrollWindow(hwnd, moved.x - bars.x, moved.y - bars.y, nullptr, nullptr);",
     "ScrollWindow(hwnd, moved.x - bars.x, 0, nullptr, nullptr);", MAIN),
    ("app/dialog_host.cpp", "commit(CatalogueChange::RenameCategory(*renamed, Common::Trim(newName)));",
     "commit(CatalogueChange::AddCategory(Common::Trim(newName)));", MAIN),
    ("app/dialog_host.cpp",
     "dialog.LoadApp(texts.description, texts.pathname, texts.parameters);",
     "dialog.LoadApp(texts.description, texts.parameters, texts.pathname);", MAIN),
    # Editor dialogs
    ("app/editor_dialog.cpp", "left = ownerCorner.x + Scaled(ownerOffset);",
     "left = ownerCorner.x;", DIALOGS),
    ("toolkit/modal_dialog.cpp",
     "    SetClientSize(Scaled(clientWidth), Scaled(clientHeight));\n    for (PlacedControl",
     "    for (PlacedControl", DIALOGS),
    ("toolkit/modal_dialog.cpp", "    owner->SetEnabled(true);",
     "", DIALOGS),
    ("toolkit/modal_dialog.cpp", "if (character == VK_RETURN && okButton != nullptr) {",
     "if (character == VK_TAB && okButton != nullptr) {", DIALOGS),
    ("app/formapp.cpp", "if (descriptionBox->GetText().empty()) {", "if (true) {", DIALOGS),
    ("app/formapp.cpp", "descriptionBox = AddTextBox(kDescriptionWidth, 120, 28, w - 170, 25);",
     "descriptionBox = AddTextBox(-1, 120, 28, w - 170, 25);", DIALOGS),
    ("app/formapp.cpp", "if (entry.pathname.empty()) {",
     "if (false) {", DIALOGS),
    ("app/formcategoria.cpp", "if (!CheckStorable(nameBox, \"Categoria\")) return;",
     "CheckStorable(nameBox, \"Categoria\");", DIALOGS),
    ("app/formordina.cpp", "std::swap(texts[from], texts[to]);", "", DIALOGS),
    ("app/formordina.cpp", "list->SetSelectedIndex(0);", "", DIALOGS),
    # A launcher for every day
    ("app/catalogue/copied_path.cpp", "return blank && !quoted ? L'\"' + expandedPathname + L'\"' : expandedPathname;",
     "return expandedPathname;", MAIN),
    ("app/formmain.cpp", "if (GetForegroundWindow() == hwnd && !IsIconic(hwnd)) {",
     "if (false) {", MAIN),
    ("app/formmain_commands.cpp", "const bool on = !StartsWithWindows();", "const bool on = true;", MAIN),
    ("app/main.cpp", "if (MyApp::StartMinimised(GetCommandLineW())) ShowWindow(form->hwnd, SW_MINIMIZE);",
     "", MAIN),
    ("app/entry_commands.cpp", "CopiedPath(OrvoUtility::ExpandedText(app.pathname))",
     "CopiedPath(OrvoUtility::ExpandedText(app.description))", MAIN),
    # Everyone from the first minute: screen readers, high contrast, the Start menu
    ("toolkit/shell.cpp", "if (IsShortcut(path)) ShortcutIconSource(path, source, index);",
     "", MAIN),
    ("toolkit/shell.cpp", "        index = named;", "        index = named + 1;", MAIN),
    ("toolkit/modal_dialog.cpp",
     "    AddOkButton(okCaption, RECT{size.cx - 220, top, size.cx - 120, top + 25}, std::move(onOk));\n"
     "    AddButton(cancelCaption, RECT{size.cx - 110, top, size.cx - 10, top + 25}, [this] { End(); });",
     "    AddButton(cancelCaption, RECT{size.cx - 110, top, size.cx - 10, top + 25}, [this] { End(); });\n"
     "    AddOkButton(okCaption, RECT{size.cx - 220, top, size.cx - 120, top + 25}, std::move(onOk));",
     DIALOGS),
    ("toolkit/window_procedure.cpp", "HWND next = GetNextDlgTabItem(dialogWindow, window, previous);",
     "HWND next = GetNextDlgTabItem(dialogWindow, window, !previous);", DIALOGS),
    ("app/formordina.cpp", "    list->Focus();\n", "", DIALOGS),
    ("toolkit/modal_dialog.cpp", "    labelForNext = Common::NarrowToWide(caption);", "",
     DIALOGS),
    ("app/colour_scheme.cpp", "    scheme.headerBackground = GetSysColor(COLOR_HIGHLIGHT);",
     "    scheme.headerBackground = 0x2A2AA5;", MAIN),
    ("app/colour_scheme.cpp", "scheme.panelBackground = GetSysColor(COLOR_WINDOW);",
     "scheme.panelBackground = GetSysColor(COLOR_BTNFACE);", MAIN),
    ("app/formmain.cpp", "onSettingChange = [this](OrvoUtility::Form*) { UseHighContrast(HighContrastOn()); };",
     "onSettingChange = [this](OrvoUtility::Form*) { UseHighContrast(true); };", MAIN),
    ("app/column_view_elements.cpp", "        if (place.row >= 0) element->Focus();\n        // Screen",
     "        // Screen", MAIN),
    ("app/formmain_commands.cpp", "if (item->kind == ShownItem::Kind::Import) ImportStartMenu();",
     "", MAIN),
    ("app/formmain_commands.cpp", "        Commit(*imported);\n        return;",
     "        return;", MAIN),
    ("app/start_menu_shortcuts.cpp", "Collect(path, top.empty() ? narrowName : top, found);",
     "Collect(path, narrowName, found);", MAIN),
    ("app/start_menu_shortcuts.cpp",
     "[&](const FoundShortcut& a, const FoundShortcut& b) { return order(a) < order(b); });",
     "[&](const FoundShortcut& a, const FoundShortcut& b) { return order(a) > order(b); });", MAIN),
    ("app/catalogue/start_menu_import.cpp",
     "const char* const kUninstallerWords[] = {\"disinstalla\", \"uninstall\"};",
     "const char* const kUninstallerWords[] = {\"disinstalla\"};", CORE),
    ("app/catalogue/start_menu_import.cpp",
     "if (IsShortcutName(name)) name.erase(name.size() - kExtensionLength);", "", CORE),
    ("app/catalogue/start_menu_import.cpp", "if (EntryCount(tried) == EntryCount(catalogue)) return std::nullopt;",
     "", CORE),
    ("app/column_view_elements.cpp", ": item.kind == Place::Import      ? catalogue.categories.empty()",
     ": item.kind == Place::Import      ? true", MAIN),
    ("app/catalogue/catalogue_store.cpp", "if (!reportFailure || saveFailureShown) return;",
     "if (!reportFailure) return;", CORE),
    ("app/catalogue/catalogue_store.cpp", "    pendingChanges.clear();\n    saveFailureShown = false;",
     "    pendingChanges.clear();", CORE),
    ("app/catalogue/file_system.h", "    bytes.resize(filled);\n    return complete;",
     "    return complete;", CORE),
    ("app/formmain.cpp", "    HandleTimer();\n    ShowNow();", "    HandleTimer();", MAIN),
    ("app/column_view.cpp", "geometry.ColumnAt(catalogue, POINT{shown.left + point.x, shown.top + point.y});",
     "geometry.ColumnAt(catalogue, POINT{shown.left + point.x, point.y});", MAIN),
    ("toolkit/shell.cpp", "expandedTarget, ExpandedText(parameters), folder,",
     "expandedTarget, Common::NarrowToWide(parameters), folder,", MAIN),
    ("toolkit/panel.cpp", "if (static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)) == Style()) return;",
     "return;", PANEL_AND_MAIN),
    ("toolkit/panel.cpp", "    if (requested != old) {", "    if (requested > old) {", PANEL_AND_MAIN),
    ("app/catalogue/catalogue_text.cpp", "        if (!plain && !settled) {",
     "        if (!plain && settled) {", CORE),
    ("app/tile_icons.cpp", "    for (const std::string& pathname : lookups) Request(pathname);", "", MAIN),
]

NATIVE_CONFIGURE = ["-G", "Ninja", "-DCMAKE_BUILD_TYPE=Debug", "-DZELMIVO_CORE_ONLY=ON",
                    "-DZELMIVO_SANITIZE=ON"]
TEST_TIMEOUT = 240


class Interrupted(Exception):
    pass


def on_signal(signum, frame):
    raise Interrupted(signal.Signals(signum).name)


def run(command, env=None, log=None, timeout=None):
    """Runs a command in its own process group; the group goes if we are stopped."""
    process = subprocess.Popen(command, env=env, stdout=log or subprocess.DEVNULL,
                               stderr=subprocess.STDOUT, start_new_session=True)
    try:
        return process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait()
        return None
    except BaseException:
        try:
            os.killpg(process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        process.wait()
        raise


class Tree:
    """A source tree with its native and Windows build folders."""

    def __init__(self, source, build, log):
        self.source = source
        self.native = os.path.join(build, "native")
        self.win = os.path.join(build, "win")
        self.log = log
        self.wine_env = None
        self.xvfb_pid = None
        self.configured = set()

    def configure(self, native):
        # Once a run: the tests a program holds are read from its sources then.
        folder = self.native if native else self.win
        if folder in self.configured:
            return True
        if native:
            arguments = NATIVE_CONFIGURE
        else:
            arguments = ["-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release", "-DCMAKE_TOOLCHAIN_FILE=" +
                         os.path.join(self.source, "cmake", "mingw-w64.cmake")]
        if run(["cmake", "-S", self.source, "-B", folder] + arguments, log=self.log) != 0:
            return False
        self.configured.add(folder)
        return True

    def test_names(self, regex):
        result = subprocess.run(["ctest", "--test-dir", self.win, "-N", "-R", regex],
                                capture_output=True, text=True)
        return re.findall(r"Test +#\d+: (\S+)", result.stdout)

    def build(self, native, targets):
        if not self.configure(native):
            return False
        folder = self.native if native else self.win
        command = ["cmake", "--build", folder]
        for target in targets:
            command += ["--target", target]
        return run(command, log=self.log) == 0

    def start_wine(self):
        if self.wine_env is not None:
            return
        prefix = os.path.join(self.win, "test-prefix")
        with tempfile.NamedTemporaryFile("r") as answer:
            script = ('source "$0/scripts/setup.sh" && zelmivo_start_xvfb && '
                      'zelmivo_use_prefix "$1" && zelmivo_use_virtual_desktop && '
                      'zelmivo_start_wine_services && '
                      '{ echo "XVFB=$ZELMIVO_XVFB_PID"; env; } >"$2"')
            status = subprocess.run(["bash", "-c", script, self.source, prefix, answer.name],
                                    stdout=self.log or subprocess.DEVNULL,
                                    stderr=subprocess.STDOUT).returncode
            lines = answer.read().splitlines()
        self.wine_env = dict(os.environ)
        for line in lines:
            key, _, value = line.partition("=")
            if key == "XVFB" and value:
                self.xvfb_pid = int(value)
            elif key in ("DISPLAY", "WINEPREFIX", "WINEDEBUG", "WINEDLLOVERRIDES"):
                self.wine_env[key] = value
        if status != 0 or "WINEPREFIX" not in self.wine_env:
            self.stop_wine()
            raise RuntimeError("the private display and Wine prefix could not be started")

    def stop_wine(self):
        if self.wine_env is not None and "WINEPREFIX" in self.wine_env:
            run(["wineserver", "-k"], env=self.wine_env)
        if self.xvfb_pid:
            try:
                os.kill(self.xvfb_pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
        self.wine_env = None
        self.xvfb_pid = None

    def passes(self, tests):
        """True when the tests pass, False when one fails or hangs, None on a build failure."""
        native = tests == CORE
        if native:
            if not self.build(True, ["core_tests"]):
                return None
            command = ["ctest", "--test-dir", self.native, "-E", "^bench[.]"]
            env = None
        else:
            if not self.configure(False):
                return None
            names = self.test_names(tests)
            targets = sorted({name.split(".")[0] for name in names})
            if not targets or not self.build(False, targets):
                return None
            self.start_wine()
            command = ["ctest", "--test-dir", self.win, "-R", tests]
            env = self.wine_env
        command += ["--stop-on-failure", "--timeout", str(TEST_TIMEOUT)]
        return run(command, env=env, log=self.log) == 0


def apply_alone(tree, mutant):
    """Plants the fault, runs the tests, restores the file. Returns the verdict."""
    relative, original, replacement, tests = mutant
    path = os.path.join(tree.source, relative)
    try:
        with open(path, encoding="latin-1", newline="") as handle:
            content = handle.read()
    except OSError:
        return "stale"
    if content.count(original) != 1:
        return "stale"
    stat = os.stat(path)
    try:
        with open(path, "w", encoding="latin-1", newline="") as handle:
            handle.write(content.replace(original, replacement))
        outcome = tree.passes(tests)
    finally:
        with open(path, "w", encoding="latin-1", newline="") as handle:
            handle.write(content)
        # A fresh time stamp, so that the next build compiles the file again.
        os.utime(path, (stat.st_atime, max(time.time(), stat.st_mtime + 1)))
    if outcome is None:
        return "no build"
    return "missed" if outcome else "caught"


def line_of(tree, mutant):
    try:
        with open(os.path.join(tree.source, mutant[0]), encoding="latin-1") as handle:
            content = handle.read()
    except OSError:
        return 0
    at = content.find(mutant[1])
    return content.count("\n", 0, at) + 1 if at >= 0 else 0


def export_revision(revision, folder):
    source = os.path.join(folder, "src")
    if os.path.isdir(source):
        shutil.rmtree(source)
    os.makedirs(source)
    archive = subprocess.run(["git", "-C", ROOT, "archive", revision], capture_output=True,
                             check=True).stdout
    subprocess.run(["tar", "-x", "-C", source], input=archive, check=True)
    return source


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--rev", help="run on a copy of this commit instead of the worktree")
    parser.add_argument("--only", action="append", default=[],
                        help="only mutants whose file or text contains this (repeatable)")
    parser.add_argument("--list", action="store_true", help="list the mutants and stop")
    parser.add_argument("--no-check", action="store_true",
                        help="skip the first run of the tests on the unchanged code")
    options = parser.parse_args()

    build_root = os.environ.get("ZELMIVO_BUILD", os.path.join(ROOT, "build"))
    chosen = [m for m in MUTANTS
              if not options.only or any(word in m[0] or word in m[1] for word in options.only)]
    if options.rev:
        folder = os.path.join(build_root, "mutants")
        source = export_revision(options.rev, folder)
        build = folder
    else:
        source, build = ROOT, build_root
    os.makedirs(build, exist_ok=True)
    log_path = os.path.join(build, "mutants.log")
    log = open(log_path, "w")
    tree = Tree(source, build, log)
    if options.list:
        for number, mutant in enumerate(chosen, 1):
            print(f"{number:3} {mutant[0]}:{line_of(tree, mutant)}  {mutant[1]!r} -> "
                  f"{mutant[2]!r}")
        return 0

    signal.signal(signal.SIGINT, on_signal)
    signal.signal(signal.SIGTERM, on_signal)
    print(f"{len(chosen)} mutants in {source} (build log: {log_path})", flush=True)
    verdicts = []
    started = time.time()
    try:
        if not options.no_check:
            for tests in sorted({m[3] for m in chosen}):
                if not tree.passes(tests):
                    print(f"The unchanged code does not pass {tests}; see {log_path}")
                    return 2
        for number, mutant in enumerate(chosen, 1):
            where = f"{mutant[0]}:{line_of(tree, mutant)}"
            began = time.time()
            log.write(f"\n== {where}: {mutant[1]!r} -> {mutant[2]!r}\n")
            log.flush()
            verdict = apply_alone(tree, mutant)
            verdicts.append((verdict, where, mutant))
            print(f"[{number:2}/{len(chosen)}] {verdict:8} {where:32} {mutant[2] or '(removed)'}"
                  f"  ({time.time() - began:.0f} s)", flush=True)
    except Interrupted as stop:
        print(f"Stopped by {stop}; the file under test was restored.")
        return 130
    finally:
        tree.stop_wine()
        log.close()

    counted = [v for v in verdicts if v[0] in ("caught", "missed")]
    caught = sum(1 for v in counted if v[0] == "caught")
    print()
    for verdict, where, mutant in verdicts:
        if verdict != "caught":
            print(f"{verdict:8} {where}: {mutant[1]!r} -> {mutant[2]!r}")
    ratio = 100.0 * caught / len(counted) if counted else 0.0
    others = len(verdicts) - len(counted)
    print(f"caught {caught}/{len(counted)} ({ratio:.0f}%), {others} stale or not built, "
          f"in {(time.time() - started) / 60:.0f} min")
    return 0


if __name__ == "__main__":
    sys.exit(main())
