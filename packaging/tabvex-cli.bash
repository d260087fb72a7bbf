# bash completion for tabvex-cli: the commands, each command's options, and Access
# databases and workbooks (.mdb, .accdb, .xls in any case) besides folders.
# Commands and options are read from the program's own help, so they are always
# those of the tabvex-cli being completed.

# The program of the command line being completed (a leading ~/ expanded).
_tabvex_cli_program() {
    local program=${COMP_WORDS[0]}
    [[ $program == "~/"* ]] && program=$HOME/${program#"~/"}
    printf '%s' "$program"
}

_tabvex_cli() {
    local cur=${COMP_WORDS[COMP_CWORD]}
    local program line
    program=$(_tabvex_cli_program)
    COMPREPLY=()

    if ((COMP_CWORD == 1)); then
        # The overview lists each command on an indented line after "Commands:".
        local commands=() listing=0
        while IFS= read -r line; do
            if [[ $line == "Commands:" ]]; then
                listing=1
            elif ((listing)) && [[ $line =~ ^\ +([^[:space:]]+) ]]; then
                commands+=("${BASH_REMATCH[1]}")
            elif ((listing)) && [[ -z $line ]]; then
                listing=0
            fi
        done < <("$program" --help 2>/dev/null)
        mapfile -t COMPREPLY < <(compgen -W "${commands[*]}" -- "$cur")
        return 0
    fi

    if [[ $cur == -* ]]; then
        local options
        options=$("$program" "${COMP_WORDS[1]}" --help 2>/dev/null |
                  grep -oE -- '--[A-Za-z0-9][A-Za-z0-9-]*' | sort -u)
        mapfile -t COMPREPLY < <(compgen -W "--help $options" -- "$cur")
        return 0
    fi

    compopt -o filenames 2>/dev/null
    local name
    while IFS= read -r name; do
        if [[ -d $name ]]; then
            COMPREPLY+=("$name")
        else
            case ${name,,} in
                *.mdb | *.accdb | *.xls) COMPREPLY+=("$name") ;;
            esac
        fi
    done < <(compgen -f -- "$cur")
    return 0
}

complete -F _tabvex_cli tabvex-cli
