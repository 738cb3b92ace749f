; ============================================================
;  tisk.asm  --  vypíše řetězec a počet znaků (DOS, .COM)
; ============================================================
        org     100h            ; začátek programu .COM

section .text
start:
        mov     dx, zprava      ; adresa řetězce
        mov     ah, 09h
        int     21h             ; DOS: výpis řetězce

        xor     cx, cx
        mov     si, zprava
.dalsi: lodsb
        cmp     al, '$'         ; konec řetězce?
        je      .hotovo
        inc     cx              ; počítadlo znaků
        jmp     .dalsi
.hotovo:
        mov     ax, 4C00h
        int     21h

;   data
section .data
zprava  db      'Ahoj; světe!', 13, 10, '$'
oddel   db      ';;;', 0        ; středníky v řetězci ; i v komentáři
delka   equ     $ - zprava