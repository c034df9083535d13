// Catalogues for the core's tests, and a one-line listing of a whole
// catalogue so that an expectation shows every field at once.
#pragma once

#include <string>

#include "catalogue.h"

// The README's worked example: two categories, one entry each.
inline MyApp::Catalogue WorkedExample() {
    MyApp::Catalogue catalogue;
    catalogue.categories.assign({MyApp::Categoria(1, "Ufficio"), MyApp::Categoria(2, "Giochi")});
    catalogue.AddApp(1, "Blocco note", "C:\\Windows\\notepad.exe", "C:\\Note\\lista.txt");
    catalogue.AddApp(2, "Solitario", "D:\\Giochi\\sol.exe", "");
    return catalogue;
}

// "name#id{description|parameters|pathname,...}" for each category; an entry
// whose category id is not its category's shows it after "@".
inline std::string Listing(const MyApp::Catalogue& catalogue) {
    std::string out;
    for (const MyApp::Categoria& category : catalogue.categories) {
        out += (out.empty() ? "" : " ") + category.name + "#" + std::to_string(category.id) + "{";
        for (const MyApp::App& app : category.apps) {
            if (&app != &category.apps.front()) out += ",";
            out += app.description + "|" + app.parameters + "|" + app.pathname;
            if (app.categoryId != category.id) out += "@" + std::to_string(app.categoryId);
        }
        out += "}";
    }
    return out;
}
