#include "start_menu_import.h"

#include <gtest/gtest.h>

#include "catalogue_helpers.h"

namespace {

using namespace MyApp;

// Imports run one after another on one catalogue, each finding what the
// last found and more; a folder's name longer than a column's is cut.
TEST(StartMenuImport, AddsWhatTheCatalogueLacksToTheColumnOfItsFolder) {
    const std::string tools = "Utilità di sistema per la manutenzione del computer di casa";
    Catalogue catalogue;
    catalogue.categories.push_back(Categoria(1, "giochi"));
    catalogue.AddApp(1, "Solitario", "S\\GIOCHI\\SOLITARIO.LNK", "");
    std::vector<FoundShortcut> found;
    const struct {
        std::vector<FoundShortcut> more;
        std::string after;  // empty: nothing to import
    } steps[] = {
        {{{"", "Paint.lnk", "S\\Paint.lnk"},
          {"Giochi", "Scacchi.LNK", "S\\Giochi\\Scacchi.LNK"},
          {"Giochi", "Solitario.lnk", "S\\Giochi\\Solitario.lnk"},
          {"Giochi", "Uninstall Scacchi.lnk", "S\\Giochi\\Uninstall Scacchi.lnk"},
          {"Giochi", "scacchi.lnk", "s\\giochi\\scacchi.lnk"},
          {tools, "DISINSTALLA Pulizia.lnk", "S\\U\\DISINSTALLA Pulizia.lnk"},
          {tools, "Pulizia.lnk", "S\\U\\Pulizia.lnk"}},
         "giochi#1{Solitario||S\\GIOCHI\\SOLITARIO.LNK,Scacchi||S\\Giochi\\Scacchi.LNK} "
         "Programmi#2{Paint||S\\Paint.lnk} "
         "Utilità di sistema per la manutenzione del compute#3{Pulizia||S\\U\\Pulizia.lnk}"},
        {{{tools, "Deframmentazione.lnk", "S\\U\\Deframmentazione.lnk"}},
         "giochi#1{Solitario||S\\GIOCHI\\SOLITARIO.LNK,Scacchi||S\\Giochi\\Scacchi.LNK} "
         "Programmi#2{Paint||S\\Paint.lnk} "
         "Utilità di sistema per la manutenzione del compute#3{Pulizia||S\\U\\Pulizia.lnk,"
         "Deframmentazione||S\\U\\Deframmentazione.lnk}"},
        {{}, ""},
    };
    for (const auto& step : steps) {
        found.insert(found.end(), step.more.begin(), step.more.end());
        std::optional<CatalogueChange> change = StartMenuImport(found, catalogue);
        ASSERT_EQ(change.has_value(), !step.after.empty()) << Listing(catalogue);
        if (!change) continue;
        EXPECT_TRUE(change->ApplyTo(catalogue));
        EXPECT_EQ(Listing(catalogue), step.after);
    }
}

}  // namespace
