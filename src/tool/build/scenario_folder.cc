#include "tool/build/scenario_folder.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <system_error>

#include "model/file_names.h"

namespace compattatore::tool {

bool folder_files(const std::string& dir, std::vector<std::string>* files,
                  std::string* err) {
  const std::string shown = dir.empty() ? "/" : dir;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(shown, ec), end; !ec && it != end;
       it.increment(ec)) {
    std::error_code kind_ec;
    if (it->is_regular_file(kind_ec)) {
      files->push_back(it->path().filename().string());
    }
  }
  if (ec) {
    *err = "cannot read the folder " + shown + ": " + ec.message();
    return false;
  }
  std::sort(files->begin(), files->end());
  return true;
}

void pair_texts(const std::string& dir, const std::vector<std::string>& files,
                std::vector<std::unique_ptr<route_job>>* routes,
                std::vector<scenario_job>* jobs,
                std::vector<std::string>* without_trains) {
  std::map<std::string, route_job*, std::less<>> by_name;
  std::set<std::string, std::less<>> names;
  for (const std::string& f : files) {
    const auto nome = nome_linea_from_file(f);
    if (!nome) continue;
    routes->push_back(std::make_unique<route_job>());
    routes->back()->name = *nome;
    by_name[*nome] = routes->back().get();
    names.insert(*nome);
  }
  std::map<route_job*, int> trains;
  for (const std::string& f : files) {
    const auto stem = train_text_stem(f);
    if (!stem) continue;
    scenario_job job;
    job.name = std::string(*stem);
    job.testo.path = dir + "/" + f;
    if (const auto pair = route_of_train_text(*stem, names)) {
      job.route = by_name.find(pair->nome_linea)->second;
      job.numero = pair->numero_treno;
      ++trains[job.route];
    }
    jobs->push_back(std::move(job));
  }
  for (const auto& r : *routes) {
    if (trains[r.get()] == 0) without_trains->push_back(r->name);
  }
}

}  // namespace compattatore::tool
