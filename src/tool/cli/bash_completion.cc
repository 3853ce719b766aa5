#include "tool/cli/bash_completion.h"

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

namespace compattatore::tool {
namespace {

struct option_words {
  std::string all;     // every spelling of every visible option
  std::string valued;  // spellings of options that take a value
  std::vector<std::pair<std::string, std::string>> choices;  // name, words
};

std::string join(const std::vector<std::string>& words) {
  std::string out;
  for (const std::string& w : words) {
    if (!out.empty()) out += ' ';
    out += w;
  }
  return out;
}

// The choices of an option checked by CLI::IsMember show in its type text
// as {a,b,c}; that is all the public interface tells of them.
std::vector<std::string> choices_of(const CLI::Option& o) {
  std::vector<std::string> out;
  const std::string text = o.get_type_name();
  const auto open = text.find('{');
  const auto close = text.find('}', open);
  if (open == std::string::npos || close == std::string::npos) return out;
  std::string word;
  for (std::size_t i = open + 1; i < close; ++i) {
    if (text[i] == ',') {
      out.push_back(word);
      word.clear();
    } else {
      word += text[i];
    }
  }
  out.push_back(word);
  return out;
}

option_words words_of(const CLI::App& app) {
  option_words w;
  for (const CLI::Option* o : app.get_options()) {
    if (o->get_group().empty() || o->get_positional()) continue;
    std::vector<std::string> names;
    for (const std::string& s : o->get_snames()) names.push_back("-" + s);
    for (const std::string& l : o->get_lnames()) names.push_back("--" + l);
    const std::string spelled = join(names);
    w.all += (w.all.empty() ? "" : " ") + spelled;
    if (o->get_items_expected_min() > 0) {
      w.valued += (w.valued.empty() ? "" : " ") + spelled;
      const std::vector<std::string> c = choices_of(*o);
      if (!c.empty()) {
        for (const std::string& n : names) w.choices.emplace_back(n, join(c));
      }
    }
  }
  return w;
}

}  // namespace

void write_bash_completion(const CLI::App& app, std::ostream& out) {
  const std::string name = app.get_name();
  std::vector<std::string> commands;
  for (const CLI::App* sub : app.get_subcommands({})) {
    commands.push_back(sub->get_name());
  }
  std::string alternatives;
  for (const std::string& c : commands) {
    alternatives += (alternatives.empty() ? "" : "|") + c;
  }
  const option_words top = words_of(app);

  out << "# bash completion for " << name << ", made by '" << name
      << " --bash-completion'.\n"
      << "_" << name << "() {\n"
      << "  local cur=${COMP_WORDS[COMP_CWORD]}\n"
      << "  local prev=${COMP_WORDS[COMP_CWORD-1]}\n"
      << "  local command='' i opts='' valued=''\n"
      << "  for ((i = 1; i < COMP_CWORD; i++)); do\n"
      << "    case ${COMP_WORDS[i]} in\n"
      << "      " << alternatives << ") command=${COMP_WORDS[i]}; break ;;\n"
      << "    esac\n"
      << "  done\n"
      << "  case $command in\n"
      << "    '')\n"
      << "      COMPREPLY=($(compgen -W '" << join(commands) << ' ' << top.all
      << "' -- \"$cur\"))\n"
      << "      return ;;\n";
  for (const CLI::App* sub : app.get_subcommands({})) {
    const option_words w = words_of(*sub);
    out << "    " << sub->get_name() << ")\n"
        << "      opts='" << w.all << "'\n"
        << "      valued='" << w.valued << "'\n";
    if (!w.choices.empty()) {
      out << "      case $prev in\n";
      for (const auto& [option, words] : w.choices) {
        out << "        " << option << ") COMPREPLY=($(compgen -W '" << words
            << "' -- \"$cur\")); return ;;\n";
      }
      out << "      esac\n";
    }
    out << "      ;;\n";
  }
  out << "  esac\n"
      << "  case \" $valued \" in\n"
      << "    *\" $prev \"*) COMPREPLY=($(compgen -f -- \"$cur\")); return ;;\n"
      << "  esac\n"
      << "  if [[ $cur == -* ]]; then\n"
      << "    COMPREPLY=($(compgen -W \"$opts\" -- \"$cur\"))\n"
      << "  else\n"
      << "    COMPREPLY=($(compgen -f -- \"$cur\"))\n"
      << "  fi\n"
      << "}\n"
      << "complete -o filenames -F _" << name << ' ' << name << '\n';
}

}  // namespace compattatore::tool
