% ANALYZA_SIGNALU  Spektrum a statistika naměřeného signálu.
%   Soubor s daty: 'mereni.csv' (první sloupec čas, druhý napětí).
function [spektrum, stat] = analyza_signalu(data, fs)
if nargin < 2
    fs = 1000;   % vzorkovací frekvence v Hz
end

t = data(:, 1)';          % transpozice řádku
x = data(:, 2).';
X = fft(x)';
A = [1 2; 3 4]';
B = A' * A;
x2 = x2';
y_1 = y_1' + (x + 1)';

nazev = 'It''s 50% done';
disp(['Délka: ', num2str(numel(x)), ' vzorků'])
fprintf('%d vzorků\n', numel(x));
zprava = "don't panic";
cesta = ['data', filesep, 'vysledek.mat'];

for k = 1:numel(x)
    if x(k) > 0.5
        continue
    elseif x(k) < -0.5
        break
    else
        x(k) = 0;
    end
end

switch lower(nazev)
    case 'a'
        stat.typ = 'A';
    otherwise
        stat.typ = 'neznámý';
end

try
    save(cesta, 'spektrum')
catch chyba
    warning('Uložení selhalo: %s', chyba.message);
end
spektrum = abs(X(1:end/2)); stat.prumer = mean(x); % konec
return