# bash completion for korvane-cli                                      -*- shell-script -*-

# The words of the line that are no option and no option's value, from word $1 up to the cursor, into
# the caller's _korvane_cli_words.
_korvane_cli_positionals()
{
    local i word skip=0
    _korvane_cli_words=()
    for ((i = $1; i < COMP_CWORD; i++)); do
        word=${COMP_WORDS[i]}
        if ((skip)); then
            skip=0
            continue
        fi
        case $word in
            --name | --addr | --domain | --company | --platform | --server | --registry | --deploy-dir | --profile)
                skip=1 ;;
            -*) ;;
            *) _korvane_cli_words+=("$word") ;;
        esac
    done
}

_korvane_cli_files()
{
    compopt -o filenames 2>/dev/null
    mapfile -t COMPREPLY < <(compgen -f -- "$1")
}

_korvane_cli_serverlist()
{
    local sub=$1 cur=$2 prev=$3 count=$4
    case $prev in
        --name | --addr | --domain) return ;;
    esac
    if [[ $cur == -* ]]; then
        local options="--help"
        case $sub in
            show | check) options+=" --json" ;;
            add | edit) options+=" --name --addr --domain" ;;
        esac
        mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
    elif ((count == 0)); then
        _korvane_cli_files "$cur"
    elif [[ $sub == move && $count -eq 2 ]]; then
        mapfile -t COMPREPLY < <(compgen -W "up down" -- "$cur")
    fi
}

_korvane_cli_create()
{
    local cur=$1 prev=$2
    case $prev in
        --deploy-dir)
            compopt -o filenames 2>/dev/null
            mapfile -t COMPREPLY < <(compgen -d -- "$cur")
            return
            ;;
        --profile)
            _korvane_cli_files "$cur"
            return
            ;;
        --company | --platform | --domain | --server | --registry) return ;;
    esac
    mapfile -t COMPREPLY < <(compgen -W "--company --platform --domain --server --registry --database
        --installer --serverinfo --deploy-dir --profile --dry-run --diff --quiet --help" -- "$cur")
}

_korvane_cli()
{
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    local -a _korvane_cli_words
    COMPREPLY=()
    _korvane_cli_positionals 1
    local command=${_korvane_cli_words[0]-}
    if [[ -z $command ]]; then
        mapfile -t COMPREPLY < <(compgen -W "encode decode serverlist create --help --version" -- "$cur")
        return
    fi
    local -a rest=("${_korvane_cli_words[@]:1}")
    case $command in
        encode | decode)
            if [[ $cur == -* ]]; then
                mapfile -t COMPREPLY < <(compgen -W "--help" -- "$cur")
            elif ((${#rest[@]} == 0)); then
                local methods="xor ip version"
                [[ $command == encode ]] && methods="xor md5 ip version"
                mapfile -t COMPREPLY < <(compgen -W "$methods" -- "$cur")
            fi
            ;;
        serverlist)
            if ((${#rest[@]} == 0)); then
                mapfile -t COMPREPLY < <(compgen -W "show export add edit remove move import check --help" -- "$cur")
            else
                _korvane_cli_serverlist "${rest[0]}" "$cur" "$prev" $((${#rest[@]} - 1))
            fi
            ;;
        create) _korvane_cli_create "$cur" "$prev" ;;
    esac
}

complete -F _korvane_cli korvane-cli
