# bash completion for cyclide-conv
_cyclide_conv() {
    local cur prev
    cur="${COMP_WORDS[COMP_CWORD]}"
    prev="${COMP_WORDS[COMP_CWORD-1]}"
    case "$prev" in
    --plan)
        COMPREPLY=($(compgen -W "y z" -- "$cur"))
        return
        ;;
    --exemple)
        COMPREPLY=($(compgen -W "1 2 3" -- "$cur"))
        return
        ;;
    --carreau)
        COMPREPLY=($(compgen -f -X '!*.@(txt|json|step|stp|iges|igs|STEP|STP|IGES|IGS)' -- "$cur") $(compgen -d -- "$cur"))
        return
        ;;
    --obj)
        COMPREPLY=($(compgen -f -X '!*.obj' -- "$cur") $(compgen -d -- "$cur"))
        return
        ;;
    --png)
        COMPREPLY=($(compgen -f -X '!*.png' -- "$cur") $(compgen -d -- "$cur"))
        return
        ;;
    --step)
        COMPREPLY=($(compgen -f -X '!*.@(step|stp)' -- "$cur") $(compgen -d -- "$cur"))
        return
        ;;
    --iges)
        COMPREPLY=($(compgen -f -X '!*.@(iges|igs)' -- "$cur") $(compgen -d -- "$cur"))
        return
        ;;
    --lot)
        COMPREPLY=($(compgen -f -- "$cur"))
        return
        ;;
    --tolerance | --affiche | --vue | --zoom | --fils)
        return
        ;;
    esac
    if [[ "$cur" == -* ]]; then
        COMPREPLY=($(compgen -W "--plan --exemple --carreau --tolerance --obj --png --affiche
            --vue --zoom --recadrer --json --step --iges --en-place --lot --csv --fils --help
            --version" -- "$cur"))
    else
        COMPREPLY=($(compgen -f -X '!*.@(car|bez)' -- "$cur") $(compgen -d -- "$cur"))
    fi
}
complete -o filenames -F _cyclide_conv cyclide-conv
