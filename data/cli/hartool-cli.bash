# bash completion for hartool-cli: commands, their options, and the missions, briefings and campaigns of the
# game folder (asked of hartool-cli itself, with the --game given on the line).

_hartool_cli_names() {
    # $1: missions or briefings; prints the first field of each line.
    local game=() i
    for ((i = 1; i < COMP_CWORD; i++)); do
        if [[ ${COMP_WORDS[i]} == --game && $((i + 1)) -lt COMP_CWORD ]]; then
            game=(--game "${COMP_WORDS[i + 1]}")
        fi
    done
    hartool-cli "${game[@]}" --quiet "$1" 2>/dev/null | cut -f1
}

_hartool_cli() {
    local cur prev words cword
    _init_completion || return

    local commands="missions briefings extract attach analyze copy retitle delete properties new-briefing
        copy-briefing delete-briefing save-originals restore-originals save-crew restore-crew to-battles
        to-campaign check help"
    local global="--game --json --quiet --force --help --version"
    local campaigns="1stUKArmDiv 1stUsArmDiv 1stUsCavDiv 20thGuards 5thPanzer"

    case $prev in
        --game)
            _filedir -d
            return
            ;;
        --side)
            COMPREPLY=($(compgen -W "blue red" -- "$cur"))
            return
            ;;
        --campaign)
            COMPREPLY=($(compgen -W "$campaigns" -- "$cur"))
            return
            ;;
        --as | --title | --nation | --paired)
            return
            ;;
    esac

    # The command and how many of its own words stand before the cursor.
    local command="" position=0 i
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
            --game | --as | --title | --side | --nation | --campaign | --paired) ((i++)) ;;
            -*) ;;
            *)
                if [[ -z $command ]]; then command=${words[i]}; else ((position++)); fi
                ;;
        esac
    done

    if [[ -z $command ]]; then
        COMPREPLY=($(compgen -W "$commands $global" -- "$cur"))
        return
    fi

    local options=""
    case $command in
        extract) options="--as" ;;
        analyze) options="--all" ;;
        copy) options="--title" ;;
        properties) options="--side --nation" ;;
        new-briefing) options="--blue-and-red" ;;
        restore-originals) options="--campaign" ;;
        to-campaign) options="--paired" ;;
        check) options="--campaigns" ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options $global" -- "$cur"))
        return
    fi

    local IFS=$'\n' names=""
    case $command:$position in
        extract:0 | attach:0 | analyze:0 | copy:0 | retitle:0 | delete:* | properties:0 | to-campaign:[1-9]* | check:*)
            names=$(_hartool_cli_names missions)
            ;;
        attach:1 | analyze:1 | copy-briefing:0 | delete-briefing:*)
            names=$(_hartool_cli_names briefings)
            ;;
        to-battles:0 | to-campaign:0)
            names=${campaigns// /$'\n'}
            ;;
        help:0)
            names=${commands//[[:space:]]/$'\n'}
            ;;
    esac
    # Briefings are named after titles: a blank in a name is escaped for the shell.
    local name
    COMPREPLY=()
    while IFS= read -r name; do
        [[ -n $name ]] && COMPREPLY+=("$(printf '%q' "$name")")
    done < <(compgen -W "$names" -- "$cur")
}
complete -F _hartool_cli hartool-cli
