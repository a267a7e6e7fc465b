# Fails when a file holds an instruction that the 80386 lacks: Windows 95
# runs on a 386DX, and a 486, Pentium or K6 stops with an invalid-opcode fault
# at the first newer one (cmov and friends, bswap, cpuid, the long nop, MMX,
# SSE), which Wine on a modern processor never shows.
# cmake -DOBJDUMP=... -DFILES="a.exe;b.a" -P instruction_set.cmake
cmake_minimum_required(VERSION 3.20)

# Every mnemonic of the 80386 and its 387 that objdump prints in Intel syntax.
set(i386
  aaa aad aam aas adc add and arpl bound bsf bsr bt btc btr bts call cbw cdq clc cld cli clts
  cmc cmp cmps cwd cwde daa das dec div enter hlt idiv imul in inc ins int int3 into iret iretd
  ja jae jb jbe jcxz je jecxz jg jge jl jle jmp jne jno jnp jns jo jp js lahf lar lds lea leave
  les lfs lgdt lgs lidt lldt lmsw lods loop loope loopne lsl lss ltr mov movs movsx movzx mul neg
  nop not or out outs pop popa popf push pusha pushf rcl rcr ret retf rol ror sahf sar sbb scas
  seta setae setb setbe sete setg setge setl setle setne setno setnp setns seto setp sets sgdt shl
  shld shr shrd sidt sldt smsw stc std sti stos str sub test verr verw fwait xchg xlat xor
  f2xm1 fabs fadd faddp fbld fbstp fchs fnclex fcom fcomp fcompp fcos fdecstp fdiv fdivp fdivr
  fdivrp ffree fiadd ficom ficomp fidiv fidivr fild fimul fincstp fninit fist fistp fisub fisubr
  fld fld1 fldcw fldenv fldl2e fldl2t fldlg2 fldln2 fldpi fldz fmul fmulp fnop fpatan fprem
  fprem1 fptan frndint frstor fnsave fscale fsin fsincos fsqrt fst fnstcw fnstenv fstp fnstsw
  fsub fsubp fsubr fsubrp ftst fucom fucomp fucompp fxam fxch fxtract fyl2x fyl2xp1)
# Prefixes that objdump prints as words of their own before the instruction.
set(prefixes rep repz repnz repe repne lock data16 addr16 cs ds es fs gs ss)

set(problems)
foreach(file IN LISTS FILES)
  execute_process(COMMAND ${OBJDUMP} -d -M intel --no-show-raw-insn ${file}
                  OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
  if(rc)
    message(FATAL_ERROR "objdump failed on ${file}")
  endif()
  string(REPLACE ";" "," dump "${dump}")
  string(REPLACE "\n" ";" lines "${dump}")
  set(count 0)
  foreach(line IN LISTS lines)
    if(NOT line MATCHES "^ *[0-9a-f]+:\t(.*)$")
      continue()
    endif()
    set(text "${CMAKE_MATCH_1}")
    math(EXPR count "${count} + 1")
    # Prefixes, then the mnemonic; what follows are operands.
    string(REGEX REPLACE "[ \t]+" ";" words "${text}")
    set(bad FALSE)
    foreach(word IN LISTS words)
      if(NOT word IN_LIST prefixes)
        # "(bad)": bytes that are no instruction (the constructor list).
        if(NOT word STREQUAL "(bad)" AND NOT word IN_LIST i386)
          set(bad TRUE)
        endif()
        break()
      endif()
    endforeach()
    # The one-byte nop only: the long form (0F 1F) came with the Pentium Pro.
    # MMX and SSE registers can appear only in newer instructions.
    if(text MATCHES "^nop +[A-Za-z]" OR text MATCHES "[^a-z]x?mm[0-9]|ymm|zmm")
      set(bad TRUE)
    endif()
    if(bad)
      list(APPEND problems "${file}: ${text}")
    endif()
  endforeach()
  if(count EQUAL 0)
    message(FATAL_ERROR "no instructions found in ${file}")
  endif()
endforeach()
if(problems)
  list(LENGTH problems n)
  string(REPLACE ";" "\n  " problems "${problems}")
  message(FATAL_ERROR "${n} instructions that the 80386 lacks:\n  ${problems}")
endif()
