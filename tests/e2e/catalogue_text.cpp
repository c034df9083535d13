#include "catalogue_text.h"

namespace ZelmivoE2E {

namespace {

std::string Padded(const std::string& text, size_t width) {
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

}  // namespace

std::string CatalogueText(const std::vector<ExpectedCategory>& categories,
                          const std::vector<ExpectedApp>& apps) {
    std::string text = "CATEGORIE\r\n";
    for (const ExpectedCategory& category : categories) {
        text += Padded(category.name, 50) + std::to_string(category.id) + "\r\n";
    }
    text += "APP\r\n";
    for (const ExpectedApp& app : apps) {
        text += Padded(std::to_string(app.categoryId), 10) + Padded(app.description, 50) +
                Padded(app.parameters, 128) + app.pathname + "\r\n";
    }
    return text;
}

}  // namespace ZelmivoE2E
