# bash completion for quorvex-batch; the options are those of `quorvex-batch --help`.
_quorvex_batch()
{
    local cur prev
    COMPREPLY=()
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD-1]}
    # "--sync=b" reaches completion as three words when "=" breaks words.
    if [[ $prev == = ]]; then
        case ${COMP_WORDS[COMP_CWORD-2]} in
            --sync) COMPREPLY=($(compgen -W 'file batch none' -- "$cur")); return 0 ;;
            --color) COMPREPLY=($(compgen -W 'auto always never' -- "$cur")); return 0 ;;
        esac
    fi
    case $prev in
        -f|--find|-r|--replace)
            return 0 ;;
        -e|--ext)
            COMPREPLY=($(compgen -W 'htm,html,shtml,shtm,rtf,txt htm html txt rtf "*"' -- "$cur"))
            return 0 ;;
        -b|--backup)
            COMPREPLY=($(compgen -d -- "$cur"))
            return 0 ;;
        --files-from)
            # "-" is standard input; with -0 (--null) the names end with NUL, as find -print0
            # writes them.
            COMPREPLY=($(compgen -f -- "$cur"))
            return 0 ;;
        -l|--list)
            COMPREPLY=($(compgen -f -X '!*.lst' -- "$cur") $(compgen -d -- "$cur"))
            return 0 ;;
        --find-file|--replace-file|--report)
            COMPREPLY=($(compgen -f -- "$cur"))
            return 0 ;;
        --lang)
            COMPREPLY=($(compgen -W 'ru en' -- "$cur"))
            return 0 ;;
        --codepage)
            COMPREPLY=($(compgen -W 'cp1251 cp866 koi8-r iso-8859-5' -- "$cur"))
            return 0 ;;
        --exclude)
            COMPREPLY=($(compgen -W '.git .svn .hg node_modules "*.min.js"' -- "$cur"))
            return 0 ;;
        --undo)
            # The runs kept, as --runs lists them (the first word of each line).
            COMPREPLY=($(compgen -W "$(quorvex-batch --runs 2>/dev/null | cut -d' ' -f1)" -- "$cur"))
            return 0 ;;
    esac
    case $cur in
        --sync=*)
            COMPREPLY=($(compgen -W 'file batch none' -- "${cur#--sync=}"))
            return 0 ;;
        --color=*)
            COMPREPLY=($(compgen -W 'auto always never' -- "${cur#--color=}"))
            return 0 ;;
        -*)
            COMPREPLY=($(compgen -W '-f --find --find-file -r --replace --replace-file
                -w --wildcards -W --replace-wildcards -x --regex -c --case -R --recurse -e --ext
                --exclude --no-default-excludes --codepage
                -l --list --files-from -0 --null -b --backup -n --dry-run -i --interactive --report --progress
                --no-progress --json --diff --color= --sync= --lang --no-journal --undo --runs -h --help -v --version' -- "$cur"))
            [[ ${COMPREPLY[0]} == --sync= || ${COMPREPLY[0]} == --color= ]] && compopt -o nospace
            return 0 ;;
    esac
    COMPREPLY=($(compgen -f -- "$cur"))
    compopt -o filenames 2>/dev/null
}
complete -F _quorvex_batch quorvex-batch
